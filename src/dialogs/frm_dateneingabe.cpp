#include "dialogs/frm_dateneingabe.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/catalog_list_items.h"
#include "dialogs/fitted_controls.h"
#include "platform/product.h"
#include "qdas/catalog_lookup.h"

namespace kelmar::dialogs {

// One K-field row: key label, caption label and input control.
struct frm_Dateneingabe::RowDesign {
    const char* key;
    const char* caption;  // English design caption
    bool list;            // a drop-down list, else a text box
};

namespace {

QPushButton* button(const char* caption, QWidget* parent, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QListWidget* catalogList(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(mode);
    list->setUniformItemSizes(true);  // a catalog can list 32767 entries
    list->setMinimumWidth(200);
    return list;
}

}  // namespace

frm_Dateneingabe::frm_Dateneingabe(shell::KelmarProcess& process, QWidget& mainWindow)
    : DialogBase(process, mainWindow, "frm_Dateneingabe") {
    setWindowTitle("Input Dialog for Q-DAS Data");
    buildControls();
    setDesignSize(11850, 8100);
    confirmOnOpen_ = load() && process_.state.args.automaticWrite();
}

frm_Dateneingabe::~frm_Dateneingabe() {
    // The K0011 dialog writes into this form; it never outlives it.
    delete k0011_.data();
}

void frm_Dateneingabe::buildControls() {
    static constexpr RowDesign kAddData[] = {{"K0006", "Part Serial Number", false},
                                             {"K0007", "Fixture Position", true},
                                             {"K0008", "Operator", true},
                                             {"K0009", "Text", false},
                                             {"K0010", "Machine", true},
                                             {"K0012", "Gage", true},
                                             {"K0053", "Order", false}};
    static constexpr RowDesign kPartsData[] = {
        {"K1007", "Part number short", false}, {"K1010", "Control Item", true}, {"K1011", "Variante", false},
        {"K1053", "Contract", false},          {"K1101", "Department", false},  {"K1203", "Reason for Test", false},
        {"K1209", "Inspection type", true},    {"K1303", "Plant", false},       {"K1900", "Remark", false}};
    static constexpr RowDesign kCharacteristicsData[] = {{"K2005", "Characteristic Class", true},
                                                         {"K2320", "Contract number", true},
                                                         {"K2401", "Gage number", true},
                                                         {"K2402", "Gage description", true},
                                                         {"K2404", "Gage Resolution", false}};

    auto* layout = new QGridLayout(this);
    // The process parameters sit between the machine and the gage.
    QGroupBox* addData = buildFieldFrame("Frame5", "Add. Data", std::span(kAddData).first(5));
    auto* addGrid = static_cast<QGridLayout*>(addData->layout());
    addGrid->addWidget(buildProcessParameterFrame(), 5, 0, 1, 3);
    addFieldRow(*addGrid, 6, kAddData[5]);
    addFieldRow(*addGrid, 7, kAddData[6]);
    layout->addWidget(addData, 0, 0);
    layout->addWidget(buildFieldFrame("Frame3", "Parts Data", kPartsData), 0, 1);
    layout->addWidget(buildFieldFrame("Frame4", "Characteristics Data", kCharacteristicsData), 1, 0);
    layout->addWidget(buildEventsFrame(), 0, 2, 2, 1);
    layout->setColumnStretch(2, 1);

    Frame1_ = new QGroupBox("Part Settings", this);
    Frame1_->setObjectName("Frame1");
    auto* settingsBox = new QVBoxLayout(Frame1_);
    chkFirstPart_ = new QCheckBox(" Reworked part", Frame1_);
    chkFirstPart_->setObjectName("chkFirstPart");
    settingsBox->addWidget(chkFirstPart_);
    auto* bottom = new QVBoxLayout;
    bottom->addWidget(Frame1_);
    bottom->addStretch();
    auto* buttons = new QHBoxLayout;
    QPushButton* deleteData = button("Delete Data", this, "cmdDeleteData");
    QPushButton* saveData = button("Save Data", this, "cmdSaveData");
    cmdOK_ = button("OK", this, "cmdOK");
    cmdOK_->setDefault(true);
    buttons->addWidget(deleteData);
    buttons->addWidget(saveData);
    buttons->addWidget(cmdOK_);
    bottom->addLayout(buttons);
    layout->addLayout(bottom, 1, 1);

    comboDokumentation_ = findChild<QComboBox*>("comboDokumentation");
    ComboMMKlasse_ = findChild<QComboBox*>("ComboMMKlasse");
    // Column by column, as the frames stand, and the buttons last.
    chainTabOrder({addData, findChild<QGroupBox*>("Frame4"), findChild<QGroupBox*>("Frame3"), Frame1_,
                   findChild<QGroupBox*>("Frame2"), deleteData, saveData, cmdOK_});
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(saveData, &QPushButton::clicked, this, &frm_Dateneingabe::cmdSaveData_Click);
    connect(deleteData, &QPushButton::clicked, this, &frm_Dateneingabe::cmdDeleteData_Click);
}

QGroupBox* frm_Dateneingabe::buildFieldFrame(const char* name, const char* caption, std::span<const RowDesign> rows) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(2, 1);
    for (size_t i = 0; i < rows.size(); ++i) addFieldRow(*grid, static_cast<int>(i), rows[i]);
    return frame;
}

void frm_Dateneingabe::addFieldRow(QGridLayout& grid, int row, const RowDesign& design) {
    QWidget* frame = grid.parentWidget();
    const QString key = QString::fromLatin1(design.key);
    grid.addWidget(fittedLabel(key, "Label" + key, frame), row, 0);
    grid.addWidget(fittedLabel(QString::fromLatin1(design.caption), "lbl" + key, frame), row, 1);
    QWidget* input = nullptr;
    if (design.list) {
        auto* combo = new QComboBox(frame);
        combo->setMinimumContentsLength(12);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        input = combo;
    } else {
        input = new QLineEdit(frame);
    }
    // txtAuftrag is a control array; the form's text box is its element 2, named "txtAuftrag_2".
    input->setObjectName(QString::fromUtf8(dataEntryField(design.key)->input));
    grid.addWidget(input, row, 2);
}

QGroupBox* frm_Dateneingabe::buildProcessParameterFrame() {
    frameK00011_ = new QGroupBox("K0011/0  Process Paramter", this);
    frameK00011_->setObjectName("frameK00011");
    auto* row = new QHBoxLayout(frameK00011_);
    lblProcessParameter_ = valueLabel("lblProcessParameter", frameK00011_);
    lblProcessParameter_->setText("[]");
    lblProcessParameter_->setFrameShape(QFrame::StyledPanel);
    row->addWidget(lblProcessParameter_, 1);
    QPushButton* more = button("...", frameK00011_, "cmdK0011");
    row->addWidget(more);
    connect(more, &QPushButton::clicked, this, &frm_Dateneingabe::cmdK0011_Click);
    return frameK00011_;
}

QGroupBox* frm_Dateneingabe::buildEventsFrame() {
    auto* frame = new QGroupBox("Events", this);
    frame->setObjectName("Frame2");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(fittedLabel("K2060", "LabelK2060", frame), 0, 0);
    grid->addWidget(fittedLabel("Use Catalog", "Label28", frame), 0, 1);
    lstKatalog_ = catalogList(frame, "lstKatalog", QAbstractItemView::SingleSelection);
    grid->addWidget(lstKatalog_, 1, 0, 1, 2);
    grid->addWidget(fittedLabel("K0005", "LabelK0005", frame), 2, 0);
    grid->addWidget(fittedLabel("Events", "Label2", frame), 2, 1);
    // A click toggles an event.
    lstEvents_ = catalogList(frame, "lstEvents", QAbstractItemView::MultiSelection);
    grid->addWidget(lstEvents_, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    QPushButton* clear = button("Unselect all", frame, "cmdClearList");
    grid->addWidget(clear, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(clear, &QPushButton::clicked, this, &frm_Dateneingabe::cmdClearList_Click);
    // Any change of the group, by hand or by the saved entries, lists its events.
    connect(lstKatalog_, &QListWidget::itemSelectionChanged, this, &frm_Dateneingabe::lstKatalog_Click);
    return frame;
}

QWidget* frm_Dateneingabe::control(const QString& name) const { return findChild<QWidget*>(name); }

void frm_Dateneingabe::openForm() {
    if (std::exchange(confirmOnOpen_, false)) {
        if (cmdOK_Click()) return;
        // The form's own check refused the entries: an automatic run would have no part data.
        process_.state.savedEntriesRefused = true;
    }
    if (k0011_) {
        k0011_->raise();
        k0011_->activateWindow();
        return;
    }
    if (!isVisible()) open();
    raise();
    activateWindow();
    cmdOK_->setFocus();
}

void frm_Dateneingabe::closeEvent(QCloseEvent* event) {
    // Closed without OK (Escape, the close box) after switching online: the run would go on
    // without its part data, so the user decides; No returns to the form.
    if (!confirmed_ && isVisible() && process_.state.online && !process_.ending() &&
        !process_.messages().askYesNo(platform::kApplicationTitle,
                                      process_.state.texts.text(settings::Text::OnlineWithoutPartData))) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    DialogBase::closeEvent(event);
}

std::vector<std::string> frm_Dateneingabe::eventGroupEntries() const { return allEntries(*lstKatalog_); }

int frm_Dateneingabe::selectedEventGroup() const { return firstSelectedRow(*lstKatalog_); }

std::string frm_Dateneingabe::processParameter() const {
    return shell::fromQt(lblProcessParameter_->text(), process_.state.codePage);
}

void frm_Dateneingabe::setProcessParameter(const std::string& text) {
    lblProcessParameter_->setText(shell::toQt(text, process_.state.codePage));
}

void frm_Dateneingabe::lstKatalog_Click() {
    listEventsOfSelectedGroup(*lstEvents_, *lstKatalog_, process_.state.catalog, process_.state.codePage);
}

void frm_Dateneingabe::cmdClearList_Click() { lstEvents_->clearSelection(); }

void frm_Dateneingabe::cmdK0011_Click() {
    if (k0011_) return;
    k0011_ = new frmK0011(process_, *this, processParameter(),
                          [this](const std::string& text) { setProcessParameter(text); });
    // Shown centred on this form, which hides until the dialog closes.
    k0011_->open();
}

DataEntryForm::DataEntryForm(shell::KelmarProcess& process, QWidget& mainWindow)
    : process_(process), mainWindow_(mainWindow) {}

DataEntryForm::~DataEntryForm() { delete form_.data(); }

frm_Dateneingabe* DataEntryForm::current() const { return form_ && !form_->unloaded() ? form_.data() : nullptr; }

frm_Dateneingabe& DataEntryForm::form() {
    if (!current()) form_ = new frm_Dateneingabe(process_, mainWindow_);
    return *form_;
}

void DataEntryForm::open() {
    // A form held unseen (made for the Add Q-DAS data dialog's event groups) was loaded under
    // the language and field descriptions of its day: it opens loaded afresh.
    if (frm_Dateneingabe* held = current(); held && !held->isVisible() && !held->k0011Dialog()) delete held;
    form().openForm();
}

}  // namespace kelmar::dialogs
