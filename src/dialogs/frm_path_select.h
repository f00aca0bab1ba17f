#pragma once
// Choosing the output folder of a run: a drive list and a folder list.

#include "dialogs/dialog_support.h"

#include <functional>
#include <string>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace kelmar::dialogs {

class frmPathSelect final : public DialogBase {
    Q_OBJECT

public:
    // outputPath / setOutputPath: the main window's lblPath.
    frmPathSelect(app::KelmarProcess& process, QWidget& mainWindow, std::function<std::string()> outputPath,
                  std::function<void(const std::string&)> setOutputPath);

    // The folder Dir1 shows.
    std::string currentFolder() const;
    void setFolder(const std::string& folder);

private:
    void accept();
    void reject();
    void driveChanged(int index);

    std::function<void(const std::string&)> setOutputPath_;
    QComboBox* Drive1_ = nullptr;
    QTreeView* Dir1_ = nullptr;
    QFileSystemModel* folders_ = nullptr;
};

}  // namespace kelmar::dialogs
