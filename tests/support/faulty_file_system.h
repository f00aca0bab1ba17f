#pragma once
// The real disk, except for the operations a test chooses to fail.

#include <cstdint>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kelmar::test {

// Create and Flush are the steps of writeNewFile and copyToNewFile (Flush also
// fails flushFolder); Write and Copy fail those calls after the new file was made.
enum class FileOp {
    Read,
    Write,
    Append,
    Copy,
    Rename,
    Remove,
    Exists,
    FolderExists,
    CreateFolder,
    List,
    Create,
    Flush,
    Lock,
};

class FaultyFileSystem final : public platform::FileSystem {
public:
    FaultyFileSystem();

    // Fails op on every path that contains pathPart (an empty part matches every path).
    void fail(FileOp op, std::string pathPart = "");
    // Fails only the n-th call (counted from 1) of op from now on.
    void failCall(FileOp op, int n);
    // Ends the process at once, as kill -9 would, at the n-th call (from 1) of op from now on.
    void dieAt(FileOp op, int n) { dyingCall_ = {op, calls(op) + n}; }
    // Writes that keep only the first bytes, then report failure: a full disk.
    void diskFullAfter(size_t bytes) { diskFullAfter_ = bytes; }
    void clearFaults();
    // How many times op was called since the last clearFaults.
    int calls(FileOp op) const;
    // Flushes to the device the disk made since the last clearFaults, and how many of
    // them the core asked for: one per new file and one per flushFolder.
    std::uint64_t deviceFlushes() const;
    int flushesAskedFor() const { return calls(FileOp::Create) + folderFlushes_; }
    // The path of the last call that was failed; empty when none was.
    const std::string& failedPath() const { return failedPath_; }

    std::optional<std::string> readFile(const std::string& path) override;
    std::optional<std::string> readFileUpTo(const std::string& path, std::size_t maxBytes) override;
    std::optional<std::uintmax_t> fileSize(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& data) override;
    bool appendFile(const std::string& path, const std::string& data) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool renameFile(const std::string& from, const std::string& to) override;
    bool writeNewFile(const std::string& path, const std::string& data) override;
    bool copyToNewFile(const std::string& from, const std::string& to) override;
    // Create when made, Write for each part, Flush at the finish.
    std::unique_ptr<platform::NewFile> createNewFile(const std::string& path) override;
    bool flushFolder(const std::string& folder) override;
    std::unique_ptr<platform::FileLock> lockFile(const std::string& path, int waitMilliseconds) override;
    std::optional<std::string> readTail(const std::string& path, std::size_t maxBytes) override;
    std::string processTag() override;
    std::string lastErrorText() override;
    unsigned long processId() override;
    bool processRunning(unsigned long id) override;
    bool removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder) override;

private:
    class FaultyNewFile;
    // Counts the call and tells whether it is to fail.
    bool fails(FileOp op, const std::string& path);
    bool failsEither(FileOp op, const std::string& from, const std::string& to);
    // The steps of a new file after its creation: write, flush; a failure removes it.
    bool finishNewFile(const std::string& path, bool written);

    std::unique_ptr<platform::FileSystem> disk_;
    std::vector<std::pair<FileOp, std::string>> faults_;
    std::map<FileOp, int> failingCall_;
    std::optional<std::pair<FileOp, int>> dyingCall_;
    std::map<FileOp, int> calls_;
    size_t diskFullAfter_ = static_cast<size_t>(-1);
    std::string failedPath_;
    bool lastFailed_ = false;
    int folderFlushes_ = 0;
    std::uint64_t flushesBefore_ = 0;  // the last counted call was failed here
};

}  // namespace kelmar::test
