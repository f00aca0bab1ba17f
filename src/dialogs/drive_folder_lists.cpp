#include "dialogs/drive_folder_lists.h"

#include "shell/file_dialogs.h"
#include "shell/qt_text.h"
#include "dialogs/fitted_controls.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace kelmar::dialogs {

namespace {

// The folder itself when it exists, else its nearest existing parent; empty when none exists.
QString nearestExisting(QString path) {
    while (!path.isEmpty() && !QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path || parent == ".") return QString();
        path = parent;
    }
    return path;
}

}  // namespace

std::string driveOfFolder(const std::string& folder, platform::CodePage codePage) {
    const QString path = nearestExisting(shell::toQt(folder, codePage));
    if (path.isEmpty()) return shell::driveOf(folder);
    QStorageInfo storage(path);
    if (!storage.isValid()) return shell::driveOf(folder);
    return shell::fromQt(QDir::toNativeSeparators(storage.rootPath()), codePage);
}

DriveFolderLists::DriveFolderLists(const DriveFolderNames& names, platform::CodePage codePage,
                                   const std::string& homeFolder, QWidget* parent)
    : QWidget(parent), codePage_(codePage), home_(homeFolder) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    drives_ = new QComboBox(this);
    drives_->setObjectName(names.drive);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) drives_->addItem(QDir::toNativeSeparators(volume.rootPath()));
    layout->addWidget(drives_);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    folders_ = new QTreeView(this);
    folders_->setObjectName(names.folder);
    folders_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
    folders_->header()->hide();
    layout->addWidget(folders_, 1);

    auto* pathRow = new QHBoxLayout;
    if (names.caption) {
        pathRow->addWidget(fittedLabel("Selected Path", names.caption, this));
    }
    // A long path keeps its start and its end in sight.
    path_ = valueLabel(names.path, this, Qt::ElideMiddle);
    path_->setFrameShape(QFrame::StyledPanel);
    pathRow->addWidget(path_, 1);
    layout->addLayout(pathRow);

    connect(drives_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) setDrive(shell::fromQt(drives_->itemText(index), codePage_));
    });
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { followTree(index); });
    // The model reads folders in the background: each one read may move the rows.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (revealing_ && qt(folder_).startsWith(QDir::toNativeSeparators(loaded))) revealFolder();
    });
    selectDriveOf(home_);
    setFolder(home_);
}

QString DriveFolderLists::qt(const std::string& bytes) const { return shell::toQt(bytes, codePage_); }

std::string DriveFolderLists::drive() const { return shell::fromQt(drives_->currentText(), codePage_); }

void DriveFolderLists::setDrive(const std::string& drive) {
    int at = drives_->findText(qt(drive));
    if (at < 0) {
        drives_->addItem(qt(drive));
        at = drives_->count() - 1;
    }
    drives_->setCurrentIndex(at);
    // A drive's current folder: the program's folder when it lies there, else the drive's root.
    setFolder(driveOfFolder(home_, codePage_) == drive ? home_ : drive);
}

std::string DriveFolderLists::folder() const { return folder_; }

void DriveFolderLists::setFolder(const std::string& folder) {
    folder_ = folder;
    path_->setText(qt(folder));
    // A folder missing here is kept as its text; the list shows the nearest one that exists.
    const QString shown = nearestExisting(qt(folder));
    if (shown.isEmpty()) return;
    setting_ = true;
    folders_->setCurrentIndex(model_->index(shown));
    setting_ = false;
    revealing_ = true;
    revealFolder();
}

void DriveFolderLists::revealFolder() {
    const QModelIndex at = folders_->currentIndex();
    if (!at.isValid()) return;
    for (QModelIndex parent = at.parent(); parent.isValid(); parent = parent.parent()) folders_->expand(parent);
    folders_->scrollTo(at, QAbstractItemView::PositionAtCenter);
}

void DriveFolderLists::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Scrolling needs the list's final size, known once it is shown.
    revealFolder();
}

void DriveFolderLists::selectDriveOf(const std::string& folder) {
    int drive = drives_->findText(qt(driveOfFolder(folder, codePage_)));
    if (drive >= 0) drives_->setCurrentIndex(drive);
}

void DriveFolderLists::followTree(const QModelIndex& index) {
    if (setting_ || !index.isValid()) return;
    revealing_ = false;
    folder_ = shell::fromQt(QDir::toNativeSeparators(model_->filePath(index)), codePage_);
    path_->setText(qt(folder_));
    // One tree holds every mount here, so a click can change the drive as well.
    selectDriveOf(folder_);
}

void DriveFolderLists::setListsEnabled(bool enabled) {
    drives_->setEnabled(enabled);
    folders_->setEnabled(enabled);
    path_->setEnabled(enabled);
}

}  // namespace kelmar::dialogs
