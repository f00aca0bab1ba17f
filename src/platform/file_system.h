#pragma once
// Every file and folder operation of the core goes through this port, so a
// test can make any single operation fail without a broken disk.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmar::platform {

// An exclusive lock taken by lockFile; released when destroyed, and by the
// system when the process ends in any way.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// A new file written in parts while its text is still being made, so a large file is
// mostly on its way to the device by the time its last part is known.
class NewFile {
public:
    // Destroyed unfinished, the file is removed.
    virtual ~NewFile() = default;
    // Adds data at the end; false on a failure, after which the file is only good for removing.
    virtual bool append(std::string_view data) = 0;
    // Flushes the file to the device and closes it; false, with the file removed, when
    // this or an earlier append failed.
    virtual bool finish() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whole content of a file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Whole content of a file of at most maxBytes; nothing, without reading a byte, for a larger one.
    virtual std::optional<std::string> readFileUpTo(const std::string& path, std::size_t maxBytes) = 0;
    // Size in bytes of a file; nothing when it is no file or cannot be asked.
    virtual std::optional<std::uintmax_t> fileSize(const std::string& path) = 0;
    // Replaces the file with data; false when it could not be written completely and closed.
    virtual bool writeFile(const std::string& path, const std::string& data) = 0;
    // Appends data, creating the file; false on any failure.
    virtual bool appendFile(const std::string& path, const std::string& data) = 0;
    // Copies a file; without overwrite an existing target is a failure.
    virtual bool copyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    // Renames within one file system; an existing target is a failure.
    virtual bool renameFile(const std::string& from, const std::string& to) = 0;

    // Crash-safe writing. A file is made under a name of its own with writeNewFile or
    // copyToNewFile, then renamed into place (renameFile, which never replaces) and its
    // folder flushed, so a final name only ever shows a whole, durable file.

    // Creates path exclusively (an existing file, folder or symlink there is a failure;
    // a symlink is never followed), writes data, flushes it to the device and closes
    // it. On any failure a file it made is removed again; false then.
    virtual bool writeNewFile(const std::string& path, const std::string& data) = 0;
    // Copies the regular file from into a new file to, created, flushed and cleaned up
    // as writeNewFile does; from is not followed through a symlink.
    virtual bool copyToNewFile(const std::string& from, const std::string& to) = 0;
    // Creates path as writeNewFile does, to be written in parts; nothing when it cannot be made.
    virtual std::unique_ptr<NewFile> createNewFile(const std::string& path) = 0;
    // Flushes a folder's entries to the device, so a rename or a new file in it
    // survives a power loss; true where the system has nothing to flush.
    virtual bool flushFolder(const std::string& folder) = 0;
    // Takes an exclusive lock on path (an ordinary file, created when missing, never
    // through a symlink), waiting up to waitMilliseconds for another holder, in this
    // or another process, to let go; nothing when it was not got in time.
    virtual std::unique_ptr<FileLock> lockFile(const std::string& path, int waitMilliseconds) = 0;
    // The last maxBytes bytes of a regular file (all of it when shorter), read without
    // reading the rest; nothing when it cannot be opened or read.
    virtual std::optional<std::string> readTail(const std::string& path, std::size_t maxBytes) = 0;
    // A text that differs with every call, between processes running at once and
    // between runs of one process id; usable in a file name ("[0-9a-z-]" only).
    virtual std::string processTag() = 0;
    // The system's reason for the last failed operation of this thread ("Permission denied").
    virtual std::string lastErrorText() = 0;
    // The system's id of this process.
    virtual unsigned long processId() = 0;
    // Whether a process of that id is running (also when it belongs to another user).
    virtual bool processRunning(unsigned long id) = 0;

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
