#include "dialogs/frm_path_select.h"

#include "dialogs/drive_folder_lists.h"
#include "settings/setting_names.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {

frmPathSelect::frmPathSelect(shell::KelmarProcess& process, QWidget& mainWindow, std::function<std::string()> outputPath,
                             std::function<void(const std::string&)> setOutputPath)
    : DialogBase(process, mainWindow, "frmPathSelect"), setOutputPath_(std::move(setOutputPath)) {
    setWindowTitle("Output Path Selection");
    auto* layout = new QVBoxLayout(this);
    folders_ = new DriveFolderLists({"Drive1", "Dir1", nullptr, "lblSelectedPath"}, process_.state.codePage, process_.state.programFolder, this);
    layout->addWidget(folders_, 1);

    auto [buttons, ok, cancel] = okCancelRow();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &frmPathSelect::accept);
    connect(cancel, &QPushButton::clicked, this, &frmPathSelect::reject);

    applyCaptions({{"", 166}, {"cmdOK", 167}, {"cmdCancel", 168}});
    // A folder that no longer exists falls back to the program's folder.
    std::string start = outputPath();
    if (start.empty() || !QFileInfo(shell::toQt(start, process_.state.codePage)).isDir())
        start = process_.state.programFolder;
    setFolder(start);
    setDesignSize(6300, 7200);
}

std::string frmPathSelect::currentFolder() const { return folders_->folder(); }

void frmPathSelect::setFolder(const std::string& folder) {
    folders_->selectDriveOf(folder);
    folders_->setFolder(folder);
}

void frmPathSelect::accept() {
    std::string folder = currentFolder();
    setOutputPath_(folder);
    close();
    process_.settings().writeText(settings::names::LastSelectedPath, folder);
}

void frmPathSelect::reject() {
    // The path chosen before stays: the next export still goes there.
    close();
}

}  // namespace kelmar::dialogs
