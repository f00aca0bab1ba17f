#pragma once
// Every file and folder operation of the core goes through this port, so a
// test can make any single operation fail without a broken disk.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmar::platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whole content of a file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Replaces the file with data; false when it could not be written completely and closed.
    virtual bool writeFile(const std::string& path, const std::string& data) = 0;
    // Appends data, creating the file; false on any failure.
    virtual bool appendFile(const std::string& path, const std::string& data) = 0;
    // Copies a file; without overwrite an existing target is a failure.
    virtual bool copyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    // Renames within one file system; an existing target is a failure.
    virtual bool renameFile(const std::string& from, const std::string& to) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Creates one folder (its parent must exist); false when it could not be made.
    virtual bool createFolder(const std::string& path) = 0;
    // Names (not paths) of the files in a folder; empty when it cannot be listed.
    virtual std::vector<std::string> listFiles(const std::string& folder) = 0;
};

// The real disk.
std::unique_ptr<FileSystem> makeDiskFileSystem();

// Splits a text into lines at CR LF, LF or a lone CR. A final line end does
// not start another line.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace kelmar::platform
