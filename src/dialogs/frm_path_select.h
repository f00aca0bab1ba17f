#pragma once
// Choosing the output folder of a run: a drive list, a folder list and the path OK stores.

#include "dialogs/dialog_support.h"

#include <functional>
#include <string>

namespace kelmar::dialogs {

class DriveFolderLists;

class frmPathSelect final : public DialogBase {
    Q_OBJECT

public:
    // outputPath / setOutputPath: the main window's lblPath.
    frmPathSelect(shell::KelmarProcess& process, QWidget& mainWindow, std::function<std::string()> outputPath,
                  std::function<void(const std::string&)> setOutputPath);

    // The folder Dir1 shows, which OK stores.
    std::string currentFolder() const;
    void setFolder(const std::string& folder);

private:
    void accept();
    void reject();

    std::function<void(const std::string&)> setOutputPath_;
    DriveFolderLists* folders_ = nullptr;
};

}  // namespace kelmar::dialogs
