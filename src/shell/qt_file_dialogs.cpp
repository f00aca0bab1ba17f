#include "shell/qt_file_dialogs.h"

#include "shell/qt_text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStorageInfo>

namespace kelmar::shell {

std::string driveOf(const std::string& folder) {
    QStorageInfo storage(QString::fromStdString(folder));
    if (!storage.isValid()) return folder.size() >= 3 ? folder.substr(0, 3) : folder;
    return QDir::toNativeSeparators(storage.rootPath()).toStdString();
}

std::optional<std::string> QtFileDialogs::openFile(const std::string& title, const std::string& folder,
                                                   const std::string& filter) {
    QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), toQt(title, codePage_),
                                                  toQt(folder, codePage_), toQt(filter, codePage_));
    if (chosen.isEmpty()) return std::nullopt;
    return fromQt(QDir::toNativeSeparators(chosen), codePage_);
}

std::optional<ChosenFolder> QtFileDialogs::chooseFolder(const std::string& title, const std::string& start) {
    QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), toQt(title, codePage_),
                                                       toQt(start, codePage_));
    if (chosen.isEmpty()) return std::nullopt;
    std::string path = fromQt(QDir::toNativeSeparators(chosen), codePage_);
    return ChosenFolder{driveOf(path), path};
}

}  // namespace kelmar::shell
