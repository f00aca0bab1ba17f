#pragma once
// A drive list, a folder list and the label showing the chosen folder, as the
// setup, monitoring and advanced settings dialogs use them.

#include "shell/kelmar_process.h"

#include <QWidget>

#include <string>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

namespace kelmar::dialogs {

struct DriveFolderNames {
    const char* drive;    // the drive list
    const char* folder;   // the folder list
    const char* caption;  // the label before the path ("Selected Path"); null for none
    const char* path;     // the label showing the folder
};

class DriveFolderLists final : public QWidget {
    Q_OBJECT

public:
    // The lists start at homeFolder, the program's own folder.
    DriveFolderLists(const DriveFolderNames& names, platform::CodePage codePage, const std::string& homeFolder,
                     QWidget* parent);

    // The selected drive entry, as the list shows it.
    std::string drive() const;
    // Selects a drive (listed even when it is not mounted now) and moves the folder list to its current folder.
    void setDrive(const std::string& drive);
    // The folder as chosen or set; a folder that does not exist here is kept as its text.
    // Setting it leaves the drive list as it is.
    std::string folder() const;
    void setFolder(const std::string& folder);
    // Selects the listed drive a folder lies on (or would lie on); the folder list stays.
    void selectDriveOf(const std::string& folder);
    // The drive list, the folder list and the path label together.
    void setListsEnabled(bool enabled);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Opens the folder list down to the folder shown and scrolls it into sight.
    void revealFolder();
    void followTree(const QModelIndex& index);
    QString qt(const std::string& bytes) const;

    platform::CodePage codePage_;
    std::string home_;
    std::string folder_;
    bool setting_ = false;
    // A folder set, not yet chosen by hand: kept in sight while the model reads.
    bool revealing_ = false;
    QComboBox* drives_ = nullptr;
    QTreeView* folders_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QLabel* path_ = nullptr;
};

// The drive of a folder, found through its nearest existing parent when the folder is missing.
std::string driveOfFolder(const std::string& folder, platform::CodePage codePage);

}  // namespace kelmar::dialogs
