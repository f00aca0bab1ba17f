#pragma once
// The real disk. The portable operations are in file_system.cpp; copy, rename, the
// crash-safe writing, the lock and the tail read in the system's own file
// (file_system_posix.cpp, file_system_win.cpp).

#include <cstdint>

#include "platform/file_system.h"

namespace kelmar::platform {

class DiskFileSystem final : public FileSystem {
public:
    std::optional<std::string> readFile(const std::string& path) override;
    std::optional<std::string> readFileUpTo(const std::string& path, std::size_t maxBytes) override;
    std::optional<std::uintmax_t> fileSize(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& data) override;
    bool appendFile(const std::string& path, const std::string& data) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool renameFile(const std::string& from, const std::string& to) override;

    bool writeNewFile(const std::string& path, const std::string& data) override;
    bool copyToNewFile(const std::string& from, const std::string& to) override;
    std::unique_ptr<NewFile> createNewFile(const std::string& path) override;
    bool flushFolder(const std::string& folder) override;
    std::unique_ptr<FileLock> lockFile(const std::string& path, int waitMilliseconds) override;
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
};

// The system's id of the running process.
unsigned long currentProcessId();

// Held by the queries (exists, size, list, read), so the reason of the last failed change
// can still be told after them.
class KeepSystemError {
public:
    KeepSystemError();
    ~KeepSystemError();
    KeepSystemError(const KeepSystemError&) = delete;
    KeepSystemError& operator=(const KeepSystemError&) = delete;

private:
    int errno_;
    unsigned long lastError_ = 0;
};

// How many flushes to the device of a file or a folder this process has made, so a
// test can see that none is left out.
std::uint64_t deviceFlushCount();
void countDeviceFlush();

}  // namespace kelmar::platform
