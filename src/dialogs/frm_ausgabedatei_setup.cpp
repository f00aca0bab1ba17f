#include "dialogs/frm_ausgabedatei_setup.h"

#include "dialogs/admin_gate.h"
#include "dialogs/drive_folder_lists.h"
#include "dialogs/fitted_controls.h"
#include "dialogs/frm_advanced_settings.h"
#include "platform/product.h"
#include "qdas/file_naming.h"
#include "settings/setting_names.h"
#include "settings/setup_file.h"
#include "settings/setup_values.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {
namespace {

namespace setup = settings::setup;

// The name parts after "No Value", as the naming codes count them: language lines, then the trace text.
constexpr int kNamePartLines[] = {90, 97, 98, 101, 102};
constexpr const char* kTraceFileName = "Trace 'FileName'";
constexpr int kNoValueLine = 96;

}  // namespace

frm_Ausgabedatei_Setup::frm_Ausgabedatei_Setup(shell::KelmarProcess& process, shell::MainWindowView& mainWindow)
    : DialogBase(process, mainWindow.widget(), "frm_Ausgabedatei_Setup"), main_(mainWindow) {
    setWindowTitle("Setup Dialog");
    auto* layout = new QGridLayout(this);
    layout->addWidget(buildFolderFrame(), 0, 0, 3, 1);
    layout->addWidget(buildStructureFrame(), 0, 1);
    layout->addWidget(buildAttributeFrame(), 1, 1);
    layout->addWidget(buildProgramFrame(), 2, 1);
    layout->addWidget(buildFileNameFrame(), 3, 0, 1, 2);
    layout->addLayout(buildButtons(), 4, 0, 1, 2);
    bindControls();

    applyCaptions({{"", 67},
                   {"cmdExport", 68},
                   {"cmdImport", 69},
                   {"OKButton", 70},
                   {"CancelButton", 71},
                   {"Frame1", 72},
                   {"Frame2", 73},
                   {"Frame3", 74},
                   {"Frame5", 75},
                   {"frameFileName", 76},
                   {"optOrvPartProgramFolder", 77},
                   {"optSelectedFolder", 78},
                   {"optDefaultFolder", 79},
                   {"Label1", 80},
                   {"Label8", 81},
                   {"Label5", 82},
                   {"chkFileCounter", 83},
                   {"chkMultiLine", 84},
                   {"chkCFG", 85},
                   {"chkQDASPos", 86},
                   {"chkUseFolders", 87},
                   {"chkAxisLetter", 88},
                   {"chkQDASDataDefaultValue", 89},
                   {"chkFensterMinimieren", 105},
                   {"cmdAdvancedSettings", 91},
                   {"chkStatCmds", 92}});
    // The two rules share one name, so their captions are set one by one.
    optFileNameRule_[0]->setText(text(93));
    optFileNameRule_[1]->setText(text(94));
    fillNameLists();
    LoadSetupFromSettings();
    folders_->setListsEnabled(optDefaultFolder_->isChecked());
    setDesignSize(12000, 8700);
}

QGroupBox* frm_Ausgabedatei_Setup::buildFolderFrame() {
    auto* frame = named(new QGroupBox("Folder for Q-DAS ASCII Files", this), "Frame1");
    auto* layout = new QVBoxLayout(frame);
    optOrvPartProgramFolder_ =
        named(new QRadioButton("Use ORVELAN Part Program Folder", frame), "optOrvPartProgramFolder");
    optSelectedFolder_ =
        named(new QRadioButton("Select an individual Folder during each execution", frame), "optSelectedFolder");
    optDefaultFolder_ = named(new QRadioButton("Use Default Folder", frame), "optDefaultFolder");
    for (auto* option : {optOrvPartProgramFolder_, optSelectedFolder_, optDefaultFolder_}) layout->addWidget(option);
    folders_ = new DriveFolderLists({"Drive_Ergebnis", "Dir_Ergebnis", "Label1", "Label_Verzeichnis"},
                                    process_.state.codePage, process_.state.programFolder, frame);
    layout->addWidget(folders_, 1);

    auto disable = [this](bool on) {
        if (on) folders_->setListsEnabled(false);
    };
    connect(optOrvPartProgramFolder_, &QRadioButton::toggled, this, disable);
    connect(optSelectedFolder_, &QRadioButton::toggled, this, disable);
    connect(optDefaultFolder_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) folders_->setListsEnabled(true);
    });
    return frame;
}

QGroupBox* frm_Ausgabedatei_Setup::buildStructureFrame() {
    auto* frame = named(new QGroupBox("Q-DAS File Structure", this), "Frame2");
    auto* layout = new QVBoxLayout(frame);
    auto* formats = new QHBoxLayout;
    optDFD_ = named(new QRadioButton("DFD + DFX", frame), "optDFD");
    optDFQ_ = named(new QRadioButton("DFQ", frame), "optDFQ");
    formats->addWidget(optDFD_);
    formats->addWidget(optDFQ_);
    layout->addLayout(formats);
    for (auto [name, caption] : {std::pair{"chkMultiLine", " Multi Line Comments"},
                                 {"chkCFG", "Check for existing CFG File"},
                                 {"chkQDASPos", "Use Q-DAS Position Calculation"},
                                 {"chkUseFolders", "Depending on the result, use different subfolders"}})
        layout->addWidget(checks_[name] = named(new QCheckBox(caption, frame), name));
    return frame;
}

QGroupBox* frm_Ausgabedatei_Setup::buildAttributeFrame() {
    auto* frame = named(new QGroupBox("Attribute", this), "Frame3");
    auto* layout = new QHBoxLayout(frame);
    optAttribute255_ = named(new QRadioButton("255", frame), "optAttribute255");
    optAttribute256_ = named(new QRadioButton("256", frame), "optAttribute256");
    layout->addWidget(optAttribute255_);
    layout->addWidget(optAttribute256_);
    return frame;
}

QGroupBox* frm_Ausgabedatei_Setup::buildProgramFrame() {
    auto* frame = named(new QGroupBox("Program Settings", this), "Frame5");
    auto* layout = new QVBoxLayout(frame);
    for (auto [name, caption] : {std::pair{"chkAxisLetter", "Use Kelmar V. 1 Axis Designations"},
                                 {"chkQDASDataDefaultValue", "Use default values for Q-DAS data"},
                                 {"chkFensterMinimieren", "Fenster w\xC3\xA4hrend der Ausf\xC3\xBChrung minimieren"},
                                 {"chkStatCmds", "Support of Stat Commands"}})
        layout->addWidget(checks_[name] = named(new QCheckBox(QString::fromUtf8(caption), frame), name));
    return frame;
}

QGroupBox* frm_Ausgabedatei_Setup::buildFileNameFrame() {
    auto* frame = named(new QGroupBox("Q-DAS ASCII File Name", this), "frameFileName");
    auto* layout = new QGridLayout(frame);
    const char* rules[] = {"Application file name rule", "GM file name rules"};
    for (int i = 0; i < 2; ++i) {
        // A control array: both carry the system's name, told apart by their index.
        optFileNameRule_[i] = named(new QRadioButton(rules[i], frame), "optFileNameRule");
        optFileNameRule_[i]->setProperty("Index", i);
        layout->addWidget(optFileNameRule_[i], 0, i * 4, 1, 4);
    }
    auto label = [&](const char* name, const char* caption) {
        auto* l = fittedLabel(caption, name, frame);
        nameControls_.push_back(l);
        return l;
    };
    layout->addWidget(label("Label8", "File Name"), 1, 0, 1, 9);
    const char* combos[] = {"comboFileName1", "comboFileName2", "comboFileName3", "comboFileName4", "comboFileName5"};
    const char* plusLabels[] = {"Label3", "Label4", "Label6", "Label7"};
    for (int i = 0; i < 5; ++i) {
        comboFileName_[i] = named(new QComboBox(frame), combos[i]);
        nameControls_.push_back(comboFileName_[i]);
        layout->addWidget(comboFileName_[i], 2, i * 2);
        if (i < 4) layout->addWidget(label(plusLabels[i], "+"), 2, i * 2 + 1);
    }
    layout->addWidget(label("Label5", "Separator"), 3, 0);
    comboSeperator_ = named(new QComboBox(frame), "comboSeperator");
    for (int code = 0; code < setup::kSeparatorEntries; ++code)
        comboSeperator_->addItem(QString::fromStdString(std::string(qdas::separatorText(code))));
    comboSeperator_->setCurrentIndex(-1);
    nameControls_.push_back(comboSeperator_);
    layout->addWidget(comboSeperator_, 3, 2);
    checks_["chkFileCounter"] = named(new QCheckBox("Use 4 Digits Counter", frame), "chkFileCounter");
    nameControls_.push_back(checks_["chkFileCounter"]);
    layout->addWidget(checks_["chkFileCounter"], 3, 4, 1, 5);

    connect(optFileNameRule_[0], &QRadioButton::toggled, this, [this](bool on) {
        if (on) setNameListsEnabled(true);
    });
    connect(optFileNameRule_[1], &QRadioButton::toggled, this, [this](bool on) {
        if (on) setNameListsEnabled(false);
    });
    optFileNameRule_[1]->setChecked(true);
    return frame;
}

QLayout* frm_Ausgabedatei_Setup::buildButtons() {
    auto* row = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption, void (frm_Ausgabedatei_Setup::*action)()) {
        auto* b = named(new QPushButton(caption, this), name);
        connect(b, &QPushButton::clicked, this, action);
        row->addWidget(b);
        return b;
    };
    button("cmdExport", "Export Settings", &frm_Ausgabedatei_Setup::ExportSetupFile);
    button("cmdImport", "Import Settings", &frm_Ausgabedatei_Setup::ImportSetupFile);
    button("cmdAdvancedSettings", "Advanced Settings", &frm_Ausgabedatei_Setup::openAdvancedSettings);
    row->addStretch();
    button("OKButton", "OK", &frm_Ausgabedatei_Setup::accept)->setDefault(true);
    auto* cancel = named(new QPushButton("Cancel", this), "CancelButton");
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(cancel);
    return row;
}

void frm_Ausgabedatei_Setup::bindControls() {
    controls_.bind(
        setup::DRIVE, [this] { return folders_->drive(); }, [this](const std::string& d) { folders_->setDrive(d); });
    controls_.bind(
        setup::DIR, [this] { return folders_->folder(); }, [this](const std::string& f) { folders_->setFolder(f); });
    controls_.bind(setup::PartProgFolder, optOrvPartProgramFolder_);
    controls_.bind(setup::SelectFolder, optSelectedFolder_);
    controls_.bind(setup::DefaultFolder, optDefaultFolder_);
    const settings::ControlInfo* names[] = {&setup::FileName1, &setup::FileName2, &setup::FileName3, &setup::FileName4,
                                            &setup::FileName5};
    for (int i = 0; i < 5; ++i) controls_.bind(*names[i], comboFileName_[i]);
    controls_.bind(setup::SEPERATOR, comboSeperator_);
    controls_.bind(setup::DFD, optDFD_);
    controls_.bind(setup::DFQ, optDFQ_);
    controls_.bind(setup::Attribute255, optAttribute255_);
    controls_.bind(setup::Attribute256, optAttribute256_);
    controls_.bind(setup::FileNameRule0, optFileNameRule_[0]);
    controls_.bind(setup::FileNameRule1, optFileNameRule_[1]);
    for (auto [control, box] : {std::pair{&setup::FileCounter, "chkFileCounter"},
                                {&setup::MultiLine, "chkMultiLine"},
                                {&setup::UseCFG, "chkCFG"},
                                {&setup::UseQPos, "chkQDASPos"},
                                {&setup::UseFolders, "chkUseFolders"},
                                {&setup::AxisLetter, "chkAxisLetter"},
                                {&setup::QDV, "chkQDASDataDefaultValue"},
                                {&setup::Minimize, "chkFensterMinimieren"},
                                {&setup::StatCmds, "chkStatCmds"}})
        controls_.bind(*control, checks_.at(box));
}

void frm_Ausgabedatei_Setup::fillNameLists() {
    for (int i = 0; i < 5; ++i) {
        QComboBox* list = comboFileName_[i];
        list->clear();
        if (i > 0) list->addItem(text(kNoValueLine));
        for (int line : kNamePartLines) list->addItem(text(line));
        list->addItem(kTraceFileName);
        list->setCurrentIndex(-1);
    }
}

void frm_Ausgabedatei_Setup::setNameListsEnabled(bool enabled) {
    for (QWidget* control : nameControls_) control->setEnabled(enabled);
}

void frm_Ausgabedatei_Setup::LoadSetupFromSettings() {
    settings::LoadSetupFromSettings(process_.settings(), controls_);
}

void frm_Ausgabedatei_Setup::SaveSetupToSettings() { settings::SaveSetupToSettings(process_.settings(), controls_); }

std::string frm_Ausgabedatei_Setup::settingsFile() const {
    return settings::setupSettingsFilePath(process_.state.programFolder);
}

void frm_Ausgabedatei_Setup::ExportSetupFile() {
    if (!settings::ExportSetupFile(process_.files(), settingsFile(), controls_))
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::SettingsFileNotWritten, {settingsFile()}));
}

void frm_Ausgabedatei_Setup::ImportSetupFile() {
    if (!settings::ImportSetupFile(process_.files(), settingsFile(), controls_))
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::SettingsFileNotRead, {settingsFile()}));
}

// What a run needs that the dialog does not say yet; empty when nothing is missing.
std::string frm_Ausgabedatei_Setup::missingChoices() const {
    std::string missing;
    if (!optDFD_->isChecked() && !optDFQ_->isChecked())
        missing += process_.state.texts.text(settings::Text::NeedFileStructure);
    if (!optOrvPartProgramFolder_->isChecked() && !optSelectedFolder_->isChecked() && !optDefaultFolder_->isChecked())
        missing +=
            std::string(missing.empty() ? "" : "\n") + process_.state.texts.text(settings::Text::NeedOutputFolder);
    return missing;
}

void frm_Ausgabedatei_Setup::accept() {
    if (const std::string missing = missingChoices(); !missing.empty()) {
        process_.messages().error(platform::kApplicationTitle, missing);
        return;
    }
    if (adminGate(process_)) SaveSetupToSettings();
    accepted_ = true;
    close();
    bool select = optSelectedFolder_->isChecked();
    std::string path;
    if (select)
        path = process_.settings().readText(settings::names::LastSelectedPath).value_or(process_.state.programFolder);
    main_.setOutputPath(path);
    main_.showOutputFrame(select);
    mainWindow_.show();
}

void frm_Ausgabedatei_Setup::openAdvancedSettings() { (new frmAdvancedSettings(process_, *this))->open(); }

void frm_Ausgabedatei_Setup::closeEvent(QCloseEvent* event) {
    // Cancel and the close box: the controls return to what is stored.
    if (!accepted_) LoadSetupFromSettings();
    DialogBase::closeEvent(event);
}

}  // namespace kelmar::dialogs
