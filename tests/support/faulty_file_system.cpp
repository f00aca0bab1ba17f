#include "support/faulty_file_system.h"

namespace kelmar::test {

FaultyFileSystem::FaultyFileSystem() : disk_(platform::makeDiskFileSystem()) {}

void FaultyFileSystem::fail(FileOp op, std::string pathPart) { faults_.emplace_back(op, std::move(pathPart)); }

void FaultyFileSystem::clearFaults() {
    faults_.clear();
    diskFullAfter_ = static_cast<size_t>(-1);
}

bool FaultyFileSystem::fails(FileOp op, const std::string& path) const {
    for (const auto& [failing, part] : faults_)
        if (failing == op && path.find(part) != std::string::npos) return true;
    return false;
}

std::optional<std::string> FaultyFileSystem::readFile(const std::string& path) {
    return fails(FileOp::Read, path) ? std::nullopt : disk_->readFile(path);
}

bool FaultyFileSystem::writeFile(const std::string& path, const std::string& data) {
    if (fails(FileOp::Write, path)) return false;
    if (data.size() > diskFullAfter_) {
        disk_->writeFile(path, data.substr(0, diskFullAfter_));
        return false;
    }
    return disk_->writeFile(path, data);
}

bool FaultyFileSystem::appendFile(const std::string& path, const std::string& data) {
    return !fails(FileOp::Append, path) && disk_->appendFile(path, data);
}

bool FaultyFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    return !fails(FileOp::Copy, from) && !fails(FileOp::Copy, to) && disk_->copyFile(from, to, overwrite);
}

bool FaultyFileSystem::renameFile(const std::string& from, const std::string& to) {
    return !fails(FileOp::Rename, from) && !fails(FileOp::Rename, to) && disk_->renameFile(from, to);
}

bool FaultyFileSystem::removeFile(const std::string& path) {
    return !fails(FileOp::Remove, path) && disk_->removeFile(path);
}

bool FaultyFileSystem::fileExists(const std::string& path) {
    return !fails(FileOp::Exists, path) && disk_->fileExists(path);
}

bool FaultyFileSystem::folderExists(const std::string& path) {
    return !fails(FileOp::FolderExists, path) && disk_->folderExists(path);
}

bool FaultyFileSystem::createFolder(const std::string& path) {
    return !fails(FileOp::CreateFolder, path) && disk_->createFolder(path);
}

std::vector<std::string> FaultyFileSystem::listFiles(const std::string& folder) {
    return fails(FileOp::List, folder) ? std::vector<std::string>{} : disk_->listFiles(folder);
}

}  // namespace kelmar::test
