#include "dialogs/frm_ausgabedatei_monitoring.h"

#include "dialogs/admin_gate.h"
#include "dialogs/drive_folder_lists.h"
#include "settings/setting_names.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace kelmar::dialogs {
namespace {

namespace names = settings::names;
using settings::ControlInfo;
using settings::ControlKind;

constexpr ControlInfo kDrive{names::DRIVE_MONITOR, ControlKind::Text};
constexpr ControlInfo kFolder{names::DIR_MONITOR, ControlKind::Text};
constexpr ControlInfo kMonitor{names::MONITOR, ControlKind::Check};
// The order they are read and written in.
constexpr std::array kMonitoringValues{kDrive, kFolder, kMonitor};

}  // namespace

frm_Ausgabedatei_Monitoring::frm_Ausgabedatei_Monitoring(shell::KelmarProcess& process, QWidget& mainWindow)
    : DialogBase(process, mainWindow, "frm_Ausgabedatei_Monitoring") {
    setWindowTitle("Q-DAS Monitoring Setup Dialog");
    auto* layout = new QVBoxLayout(this);
    auto* chkMonitoring = new QCheckBox("Create files for Q-DAS Monitoring", this);
    chkMonitoring->setObjectName("chkMonitoring");
    layout->addWidget(chkMonitoring);
    auto* frame = new QGroupBox("Folder for Q-DAS Monitoring Files", this);
    frame->setObjectName("Frame1");
    auto* frameLayout = new QVBoxLayout(frame);
    folders_ = new DriveFolderLists({"Drive_Ergebnis", "Dir_Ergebnis", "Label1", "Label_Verzeichnis"},
                                    process_.state.codePage, process_.state.programFolder, frame);
    frameLayout->addWidget(folders_);
    layout->addWidget(frame, 1);

    auto [buttons, ok, cancel] = okCancelRow("OKButton", "CancelButton");
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &frm_Ausgabedatei_Monitoring::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    controls_.bind(
        kDrive, [this] { return folders_->drive(); }, [this](const std::string& d) { folders_->setDrive(d); });
    controls_.bind(
        kFolder, [this] { return folders_->folder(); }, [this](const std::string& f) { folders_->setFolder(f); });
    controls_.bind(kMonitor, chkMonitoring);

    applyCaptions(
        {{"", 60}, {"CancelButton", 61}, {"OKButton", 62}, {"Frame1", 63}, {"chkMonitoring", 64}, {"Label1", 65}});
    // Where the files go only matters while they are made.
    connect(chkMonitoring, &QCheckBox::toggled, folders_, &DriveFolderLists::setListsEnabled);
    loadFromSettings();
    folders_->setListsEnabled(chkMonitoring->isChecked());
    setDesignSize(6300, 7200);
}

void frm_Ausgabedatei_Monitoring::loadFromSettings() {
    settings::loadControls(process_.settings(), kMonitoringValues, controls_);
}

void frm_Ausgabedatei_Monitoring::accept() {
    if (adminGate(process_)) settings::saveControls(process_.settings(), kMonitoringValues, controls_);
    accepted_ = true;
    close();
}

void frm_Ausgabedatei_Monitoring::closeEvent(QCloseEvent* event) {
    // Cancel and the close box: the controls return to what is stored.
    if (!accepted_) loadFromSettings();
    DialogBase::closeEvent(event);
}

}  // namespace kelmar::dialogs
