#include "dialogs/frm_k0011.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "dialogs/catalog_list_items.h"
#include "dialogs/fitted_controls.h"
#include "platform/text.h"
#include "qdas/catalog_lookup.h"
#include "qdas/catalog_tables.h"

namespace kelmar::dialogs {
namespace {

// The number an entry starts with: the characters before its first space.
std::string leadingNumber(const std::string& entry) { return entry.substr(0, entry.find(' ')); }

QListWidget* vlist(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    return list;
}

QPushButton* pictureButton(QStyle::StandardPixmap picture, QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(picture));
    return button;
}

}  // namespace

std::vector<std::string> k0011Entries(std::string_view text) {
    const std::string trimmed = platform::trimBlanks(text);
    std::vector<std::string> entries;
    if (trimmed.empty() || trimmed == "[]") return entries;
    // The brackets are dropped whatever they are; a one-character text leaves one empty entry.
    std::string_view rest = trimmed;
    rest = rest.size() >= 2 ? rest.substr(1, rest.size() - 2) : std::string_view();
    size_t start = 0;
    while (entries.size() < static_cast<size_t>(qdas::kMaxCatalogEntries)) {
        size_t comma = rest.find(',', start);
        entries.emplace_back(rest.substr(start, comma == std::string_view::npos ? rest.npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return entries;
}

std::string k0011Text(const std::vector<std::string>& entries) {
    std::string text = "[";
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text.push_back(',');
        text += entries[i];
    }
    return text + "]";
}

frmK0011::frmK0011(shell::KelmarProcess& process, QWidget& dataEntry, const std::string& k0011,
                   std::function<void(const std::string&)> setK0011)
    : DialogBase(process, dataEntry, "frmK0011"), setK0011_(std::move(setK0011)) {
    setWindowTitle("Configuration Dialog For Process Parameter");
    buildControls();
    setDesignSize(8700, 8400);
    applyCaptions({{"", 249},
                   {"cmdCancel", 250},
                   {"cmdOK", 251},
                   {"Label1", 252},
                   {"Label3", 253},
                   {"Label4", 254},
                   {"Label5", 255}});
    const platform::CodePage codePage = process_.state.codePage;
    addEntries(*VListK0011_, k0011Entries(k0011), codePage);
    addEntries(*ComboK4240_, qdas::ParameterGroupEntries(process_.state.catalog), codePage);
    // Connected once filled, so the first group is listed exactly once.
    connect(ComboK4240_, &QComboBox::currentIndexChanged, this, &frmK0011::groupChosen);
    ComboK4240_->setCurrentIndex(ComboK4240_->count() > 0 ? 0 : -1);
    groupChosen(ComboK4240_->currentIndex());
}

void frmK0011::buildControls() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(fittedLabel("Process Paramter Catalog", "Label1", this), 0, 0);
    ComboK4240_ = new QComboBox(this);
    ComboK4240_->setObjectName("ComboK4240");
    grid->addWidget(ComboK4240_, 1, 0);
    grid->addWidget(fittedLabel("Process Parameter", "Label3", this), 2, 0);
    VListK4243_ = vlist(this, "VListK4243");
    grid->addWidget(VListK4243_, 3, 0);
    grid->addWidget(fittedLabel("Process Parameter Value", "Label4", this), 4, 0);
    VListK4245_ = vlist(this, "VListK4245");
    grid->addWidget(VListK4245_, 5, 0);

    QPushButton* add = pictureButton(QStyle::SP_ArrowRight, this, "cmdAddValue");
    add->setToolTip(text(settings::Text::AddValueTip));
    grid->addWidget(add, 3, 1, 3, 1, Qt::AlignVCenter);
    grid->addWidget(fittedLabel("K0011 Selected Process Parameter", "Label5", this), 0, 2);
    VListK0011_ = vlist(this, "VListK0011");
    grid->addWidget(VListK0011_, 1, 2, 5, 1);
    QPushButton* remove = pictureButton(QStyle::SP_TrashIcon, this, "cmdDeleteK0011");
    remove->setToolTip(text(settings::Text::DeleteK0011Tip));
    grid->addWidget(remove, 6, 2, Qt::AlignRight);

    auto [buttons, ok, cancel] = okCancelRow();
    grid->addLayout(buttons, 7, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    connect(VListK4243_, &QListWidget::currentRowChanged, this, &frmK0011::parameterChosen);
    connect(add, &QPushButton::clicked, this, &frmK0011::cmdAddValue_Click);
    connect(remove, &QPushButton::clicked, this, &frmK0011::cmdDeleteK0011_Click);
    connect(ok, &QPushButton::clicked, this, &frmK0011::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void frmK0011::groupChosen(int index) {
    VListK4243_->clear();
    if (index < 0) return;
    addEntries(*VListK4243_, qdas::ParameterEntriesForGroup(process_.state.catalog, entryBytes(*ComboK4240_, index)),
               process_.state.codePage);
}

void frmK0011::parameterChosen(int row) {
    // Emptying the parameter list reports no choice; the values stay until the next one.
    if (row < 0) return;
    VListK4245_->clear();
    addEntries(*VListK4245_, qdas::ParameterValueEntries(process_.state.catalog, entryBytes(*VListK4243_, row)),
               process_.state.codePage);
}

void frmK0011::cmdAddValue_Click() {
    const int parameter = VListK4243_->currentRow();
    const int value = VListK4245_->currentRow();
    if (parameter < 0 || value < 0) return;
    addEntries(
        *VListK0011_,
        {leadingNumber(entryBytes(*VListK4243_, parameter)) + " " + leadingNumber(entryBytes(*VListK4245_, value))},
        process_.state.codePage);
}

void frmK0011::cmdDeleteK0011_Click() {
    const int current = VListK0011_->currentRow();
    if (current < 0)
        VListK0011_->clear();
    else
        delete VListK0011_->takeItem(current);
}

void frmK0011::cmdOK_Click() {
    setK0011_(k0011Text(allEntries(*VListK0011_)));
    close();
}

}  // namespace kelmar::dialogs
