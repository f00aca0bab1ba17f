#pragma once
// The real disk, except for the operations a test chooses to fail.

#include "platform/file_system.h"

#include <memory>
#include <string>
#include <vector>

namespace kelmar::test {

enum class FileOp { Read, Write, Append, Copy, Rename, Remove, Exists, FolderExists, CreateFolder, List };

class FaultyFileSystem final : public platform::FileSystem {
public:
    FaultyFileSystem();

    // Fails op on every path that contains pathPart (an empty part matches every path).
    void fail(FileOp op, std::string pathPart = "");
    // Writes that keep only the first bytes, then report failure: a full disk.
    void diskFullAfter(size_t bytes) { diskFullAfter_ = bytes; }
    void clearFaults();

    std::optional<std::string> readFile(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& data) override;
    bool appendFile(const std::string& path, const std::string& data) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool renameFile(const std::string& from, const std::string& to) override;
    bool removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder) override;

private:
    bool fails(FileOp op, const std::string& path) const;

    std::unique_ptr<platform::FileSystem> disk_;
    std::vector<std::pair<FileOp, std::string>> faults_;
    size_t diskFullAfter_ = static_cast<size_t>(-1);
};

}  // namespace kelmar::test
