#include "dialogs/frm_path_select.h"

#include "app/file_dialogs.h"
#include "settings/setting_names.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace kelmar::dialogs {

frmPathSelect::frmPathSelect(app::KelmarProcess& process, QWidget& mainWindow,
                             std::function<std::string()> outputPath,
                             std::function<void(const std::string&)> setOutputPath)
    : DialogBase(process, mainWindow, "frmPathSelect"), setOutputPath_(std::move(setOutputPath)) {
    setWindowTitle("Output Path Selection");
    auto* layout = new QVBoxLayout(this);
    Drive1_ = new QComboBox(this);
    Drive1_->setObjectName("Drive1");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) Drive1_->addItem(QDir::toNativeSeparators(volume.rootPath()));
    layout->addWidget(Drive1_);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    Dir1_ = new QTreeView(this);
    Dir1_->setObjectName("Dir1");
    Dir1_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) Dir1_->hideColumn(column);
    Dir1_->header()->hide();
    layout->addWidget(Dir1_, 1);

    auto [buttons, ok, cancel] = okCancelRow();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &frmPathSelect::accept);
    connect(cancel, &QPushButton::clicked, this, &frmPathSelect::reject);
    connect(Drive1_, &QComboBox::activated, this, &frmPathSelect::driveChanged);

    applyCaptions({{"", 166}, {"cmdOK", 167}, {"cmdCancel", 168}});
    // A folder that no longer exists falls back to the program's folder.
    std::string start = outputPath();
    if (start.empty() || !QFileInfo(app::toQt(start, process_.state.codePage)).isDir())
        start = process_.state.programFolder;
    setFolder(start);
    resize(420, 480);
}

std::string frmPathSelect::currentFolder() const {
    return app::fromQt(QDir::toNativeSeparators(folders_->filePath(Dir1_->currentIndex())), process_.state.codePage);
}

void frmPathSelect::setFolder(const std::string& folder) {
    QModelIndex at = folders_->index(app::toQt(folder, process_.state.codePage));
    Dir1_->setCurrentIndex(at);
    Dir1_->scrollTo(at);
    int drive = Drive1_->findText(QString::fromStdString(app::driveOf(folder)));
    if (drive >= 0) Drive1_->setCurrentIndex(drive);
}

void frmPathSelect::driveChanged(int index) {
    if (index >= 0) setFolder(app::fromQt(Drive1_->itemText(index), process_.state.codePage));
}

void frmPathSelect::accept() {
    std::string folder = currentFolder();
    setOutputPath_(folder);
    close();
    process_.settings().writeText(settings::names::LastSelectedPath, folder);
}

void frmPathSelect::reject() {
    setOutputPath_("");
    close();
}

}  // namespace kelmar::dialogs
