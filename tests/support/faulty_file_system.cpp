#include "support/faulty_file_system.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/disk_file_system.h"

namespace kelmar::test {

FaultyFileSystem::FaultyFileSystem()
    : disk_(platform::makeDiskFileSystem()), flushesBefore_(platform::deviceFlushCount()) {}

std::uint64_t FaultyFileSystem::deviceFlushes() const { return platform::deviceFlushCount() - flushesBefore_; }

void FaultyFileSystem::fail(FileOp op, std::string pathPart) { faults_.emplace_back(op, std::move(pathPart)); }

void FaultyFileSystem::failCall(FileOp op, int n) { failingCall_[op] = calls(op) + n; }

void FaultyFileSystem::clearFaults() {
    faults_.clear();
    failingCall_.clear();
    calls_.clear();
    failedPath_.clear();
    folderFlushes_ = 0;
    flushesBefore_ = platform::deviceFlushCount();
    diskFullAfter_ = static_cast<size_t>(-1);
}

int FaultyFileSystem::calls(FileOp op) const {
    auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
}

bool FaultyFileSystem::fails(FileOp op, const std::string& path) {
    const int call = ++calls_[op];
    if (dyingCall_ && dyingCall_->first == op && dyingCall_->second == call) std::_Exit(137);
    bool failing = false;
    if (auto it = failingCall_.find(op); it != failingCall_.end() && it->second == call) failing = true;
    for (const auto& [failingOp, part] : faults_)
        if (failingOp == op && path.find(part) != std::string::npos) failing = true;
    if (failing) failedPath_ = path;
    // Queries leave the reason of the last failed change alone, as the disk does.
    const bool query = op == FileOp::Read || op == FileOp::Exists || op == FileOp::FolderExists || op == FileOp::List;
    if (!query) lastFailed_ = failing;
    return failing;
}

bool FaultyFileSystem::failsEither(FileOp op, const std::string& from, const std::string& to) {
    if (fails(op, from)) return true;
    --calls_[op];  // one call, two paths
    return fails(op, to);
}

std::optional<std::string> FaultyFileSystem::readFile(const std::string& path) {
    return fails(FileOp::Read, path) ? std::nullopt : disk_->readFile(path);
}

std::optional<std::string> FaultyFileSystem::readFileUpTo(const std::string& path, std::size_t maxBytes) {
    return fails(FileOp::Read, path) ? std::nullopt : disk_->readFileUpTo(path, maxBytes);
}

std::optional<std::uintmax_t> FaultyFileSystem::fileSize(const std::string& path) {
    return fails(FileOp::Read, path) ? std::nullopt : disk_->fileSize(path);
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
    return !failsEither(FileOp::Copy, from, to) && disk_->copyFile(from, to, overwrite);
}

bool FaultyFileSystem::renameFile(const std::string& from, const std::string& to) {
    return !failsEither(FileOp::Rename, from, to) && disk_->renameFile(from, to);
}

bool FaultyFileSystem::finishNewFile(const std::string& path, bool written) {
    if (written && !fails(FileOp::Flush, path)) return true;
    // As the disk does: a file that is not whole and flushed does not stay.
    disk_->removeFile(path);
    return false;
}

bool FaultyFileSystem::writeNewFile(const std::string& path, const std::string& data) {
    if (fails(FileOp::Create, path)) return false;
    if (fails(FileOp::Write, path)) {
        // What a full disk leaves behind before the write reports its failure.
        return disk_->writeNewFile(path, data.substr(0, data.size() / 2)) && finishNewFile(path, false);
    }
    if (data.size() > diskFullAfter_)
        return disk_->writeNewFile(path, data.substr(0, diskFullAfter_)) && finishNewFile(path, false);
    return disk_->writeNewFile(path, data) && finishNewFile(path, true);
}

// The disk's own new file, with the faults of its owner: a failed part leaves half of it, as
// writeNewFile does, and the file is removed when it is not finished whole.
class FaultyFileSystem::FaultyNewFile final : public platform::NewFile {
public:
    FaultyNewFile(FaultyFileSystem& owner, std::unique_ptr<platform::NewFile> disk, std::string path)
        : owner_(owner), disk_(std::move(disk)), path_(std::move(path)) {}
    bool append(std::string_view data) override {
        if (failed_) return false;
        const bool planted = owner_.fails(FileOp::Write, path_);
        const std::size_t room = owner_.diskFullAfter_ > written_ ? owner_.diskFullAfter_ - written_ : 0;
        const std::size_t kept = planted ? data.size() / 2 : std::min(room, data.size());
        disk_->append(data.substr(0, kept));
        written_ += kept;
        failed_ = kept < data.size();
        return !failed_;
    }
    bool finish() override {
        if (failed_ || !disk_->finish()) return false;
        return owner_.finishNewFile(path_, true);
    }

private:
    FaultyFileSystem& owner_;
    std::unique_ptr<platform::NewFile> disk_;
    std::string path_;
    std::size_t written_ = 0;
    bool failed_ = false;
};

std::unique_ptr<platform::NewFile> FaultyFileSystem::createNewFile(const std::string& path) {
    if (fails(FileOp::Create, path)) return nullptr;
    std::unique_ptr<platform::NewFile> file = disk_->createNewFile(path);
    if (!file) return nullptr;
    return std::make_unique<FaultyNewFile>(*this, std::move(file), path);
}

bool FaultyFileSystem::copyToNewFile(const std::string& from, const std::string& to) {
    if (fails(FileOp::Create, to)) return false;
    if (failsEither(FileOp::Copy, from, to)) return disk_->writeNewFile(to, "") && finishNewFile(to, false);
    return disk_->copyToNewFile(from, to) && finishNewFile(to, true);
}

bool FaultyFileSystem::flushFolder(const std::string& folder) {
    ++folderFlushes_;
    return !fails(FileOp::Flush, folder) && disk_->flushFolder(folder);
}

std::unique_ptr<platform::FileLock> FaultyFileSystem::lockFile(const std::string& path, int waitMilliseconds) {
    return fails(FileOp::Lock, path) ? nullptr : disk_->lockFile(path, waitMilliseconds);
}

std::optional<std::string> FaultyFileSystem::readTail(const std::string& path, std::size_t maxBytes) {
    return fails(FileOp::Read, path) ? std::nullopt : disk_->readTail(path, maxBytes);
}

std::string FaultyFileSystem::processTag() { return disk_->processTag(); }

std::string FaultyFileSystem::lastErrorText() {
    return lastFailed_ ? "Input/output error (planted by the test)" : disk_->lastErrorText();
}

unsigned long FaultyFileSystem::processId() { return disk_->processId(); }

bool FaultyFileSystem::processRunning(unsigned long id) { return disk_->processRunning(id); }

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
