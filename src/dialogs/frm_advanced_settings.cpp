#include "dialogs/frm_advanced_settings.h"

#include "dialogs/control_bindings.h"
#include "dialogs/drive_folder_lists.h"
#include "dialogs/fitted_controls.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "qdas/catalog_context.h"
#include "settings/setting_names.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {
namespace {

namespace names = settings::names;

// Two options one above the other in a frame.
QGroupBox* optionFrame(QWidget* parent, const char* frame, const char* caption, QRadioButton* first,
                       QRadioButton* second) {
    auto* box = named(new QGroupBox(caption, parent), frame);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

}  // namespace

frmAdvancedSettings::frmAdvancedSettings(shell::KelmarProcess& process, QWidget& returnTo)
    : DialogBase(process, returnTo, "frmAdvancedSettings") {
    // Owned by the window it returns to, so it never outlives it.
    setParent(&returnTo, Qt::Window);
    setWindowTitle("Advanced Settings (Only for Q-DAS Experts)");
    auto* layout = new QGridLayout(this);

    auto* catalog = named(new QGroupBox("Q-DAS Catalog", this), "Frame4");
    auto* catalogRow = new QHBoxLayout(catalog);
    lblQDASCatalog_ = valueLabel("lblQDASCatalog", catalog, Qt::ElideMiddle);
    lblQDASCatalog_->setFrameShape(QFrame::StyledPanel);
    auto* search = named(new QPushButton("...", catalog), "cmdSearchQDASCatalog");
    catalogRow->addWidget(lblQDASCatalog_, 1);
    catalogRow->addWidget(search);
    layout->addWidget(catalog, 0, 0, 1, 2);

    auto* values = named(new QGroupBox("User defined Values for K1209, K2005, K2320, K2401, K2402", this), "Frame5");
    auto* valuesLayout = new QVBoxLayout(values);
    folders_ = new DriveFolderLists({"Drive1", "Dir1", nullptr, "lblPathForUserDefinedValues"}, process_.state.codePage, process_.state.programFolder,
                                    values);
    valuesLayout->addWidget(folders_);
    layout->addWidget(values, 1, 0, 1, 2);

    Option1_ = named(new QRadioButton("Dimension ID"), "Option1");
    Option2_ = named(new QRadioButton("Characteristcs Counter"), "Option2");
    Option3_ = named(new QRadioButton("Dimension ID + Feature ID'S"), "Option3");
    Option4_ = named(new QRadioButton("ORVELAN Comment text"), "Option4");
    layout->addWidget(optionFrame(this, "Frame2", "Characteristic Number", Option2_, Option1_), 2, 0);
    layout->addWidget(optionFrame(this, "Frame3", "Characteristic Name", Option4_, Option3_), 2, 1);

    auto [buttons, ok, cancel] = okCancelRow();
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(search, &QPushButton::clicked, this, &frmAdvancedSettings::searchCatalog);
    connect(ok, &QPushButton::clicked, this, &frmAdvancedSettings::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    applyCaptions({{"", 257},
                   {"cmdCancel", 258},
                   {"cmdOK", 259},
                   {"Frame2", 260},
                   {"Frame3", 261},
                   {"Frame4", 262},
                   {"Frame5", 263},
                   {"Option1", 264},
                   {"Option2", 265},
                   {"Option3", 266},
                   {"Option4", 267}});

    setDesignSize(6600, 7500);

    const auto& state = process_.state;
    (state.run.DimensionNumber ? Option2_ : Option1_)->setChecked(true);
    (state.run.DimensionName ? Option4_ : Option3_)->setChecked(true);
    std::string catalogPath = shownPath(names::CatalogPathName, qdas::defaultCatalogPath(state.programFolder));
    lblQDASCatalog_->setText(shell::toQt(catalogPath, state.codePage));
    std::string folder = shownPath(names::ValueFilePath, qdas::defaultValueFileFolder(state.programFolder));
    folders_->selectDriveOf(folder);
    folders_->setFolder(folder);
}

std::string frmAdvancedSettings::shownPath(const char* setting, const std::string& fallback) const {
    // Blank counts as missing, as it does for the catalog reader that uses the value.
    auto stored = process_.settings().readText(setting);
    return stored && !platform::trimBlanks(*stored).empty() ? *stored : fallback;
}

void frmAdvancedSettings::searchCatalog() {
    const auto& state = process_.state;
    auto chosen =
        process_.dialogs().openFile(state.texts.line(244), platform::joinPath(state.programFolder, "Catalogs"),
                                    state.texts.text(settings::Text::CatalogFileFilter));
    // A cancelled choice keeps the file shown so far.
    if (chosen) lblQDASCatalog_->setText(shell::toQt(*chosen, state.codePage));
}

void frmAdvancedSettings::accept() {
    const auto& texts = process_.state.texts;
    if (process_.messages().askYesNo(texts.line(257), texts.line(270) + "\n" + texts.line(271))) {
        auto& store = process_.settings();
        auto& run = process_.state.run;
        store.writeText(names::CatalogPathName, shell::fromQt(lblQDASCatalog_->text(), process_.state.codePage));
        store.writeText(names::ValueFilePath, folders_->folder());
        store.writeBool(names::DimensionNumber, Option2_->isChecked());
        store.writeBool(names::DimensionName, Option4_->isChecked());
        run.DimensionNumber = Option2_->isChecked();
        run.DimensionName = Option4_->isChecked();
    }
    close();
}

}  // namespace kelmar::dialogs
