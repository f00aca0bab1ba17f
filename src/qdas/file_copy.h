#pragma once
// How files are put into TempData, the result folders and the monitoring folder.
// Each is first written or copied whole under a temporary name of its own,
// flushed, and then renamed to its final name, which is never replaced, so
// whoever reads a folder only ever sees whole files under final names.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kelmar::qdas {

// Copies sourceFolder/fileName to destinationFolder/fileName without overwriting; false
// when the destination folder is missing, the file is already there or the copy failed.
// The copy's content is on the device; its name is once the caller flushes the folder,
// which it must do before it removes the source.
bool fctCopyFile(platform::FileSystem& files, const std::string& fileName, const std::string& destinationFolder,
                 const std::string& sourceFolder);

// Copies sourcePath to folder/targetName without overwriting; false like fctCopyFile.
bool copyWithoutOverwriting(platform::FileSystem& files, const std::string& sourcePath, const std::string& folder,
                            const std::string& targetName);

// The ending of every temporary name; no Q-DAS reader picks such a file up.
inline constexpr const char* kTemporaryEnding = ".kelmar-part";

// Makes a new file in folder under a temporary name ("~<process>-<n>.kelmar-part", short,
// so a folder that takes the final name takes it too) with make(path), which must create
// the file exclusively; the path made, or nothing.
template <class Make>
std::optional<std::string> makeTemporary(platform::FileSystem& files, const std::string& folder, Make&& make);

// Removes the temporaries that processes no longer running left in folder; how many.
int removeLeftoverTemporaries(platform::FileSystem& files, const std::string& folder);

// Whether a name is a temporary, and the id of the process that made it (0 when unknown).
bool isTemporaryName(const std::string& name);
unsigned long temporaryOwner(const std::string& name);

// One file of a set that is written together: its extension ("dfq") and its text.
struct FileToWrite {
    const char* extension;
    const std::string& text;
};

// What to do when a name of the set is taken in the folder.
enum class WhenTaken {
    NextName,            // "_2", "_3" ... while any name of the set is taken
    // The same, but a set with the same content already there is the set itself, and one whose
    // later files alone are there with the same content (a delivery cut off) is completed.
    NextNameUnlessSame,
};

// What became of a file set placed into a folder.
struct WrittenSet {
    enum class Failure { None, Write, Rename, Flush };
    std::string baseName;  // the name the set got: the one asked for, or with "_2", "_3" ... added
    Failure failure = Failure::None;
    std::size_t failedFile = 0;  // index of the file that failed (Write)
    bool alreadyThere = false;   // NextNameUnlessSame found the same set: nothing was placed
};

// Called with the free name a set is about to take, before its first file gets it.
using BeforePlacing = std::function<void(const std::string& baseName)>;

// Writes the files as folder/<baseName>.<extension>, whole or not at all; nothing is ever replaced.
// made, when given, are temporaries in folder that hold the set's texts already, one per file,
// written and flushed: they are placed instead of writing the texts again.
WrittenSet writeFileSet(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                        std::span<const FileToWrite> set, WhenTaken whenTaken = WhenTaken::NextName,
                        bool flushFolder = true, const BeforePlacing& beforePlacing = {},
                        std::vector<std::string> made = {});

// Renames temporaries (one per extension, made in folder) to folder/<baseName>.<extension>
// as a set: the free name is found for all of them first, and the first file of the set
// (the .dfd of a pair) is renamed last, so it is never seen without its partner. On failure
// nothing of the set stays, temporaries included. The folder is not flushed.
WrittenSet placeTemporaries(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                            const std::vector<const char*>& extensions, const std::vector<std::string>& temporaries,
                            WhenTaken whenTaken, const BeforePlacing& beforePlacing = {});

// The monitoring folder of a part program: DIR_MONITOR/<part>_<revision>_<serial>, each text made safe.
std::string monitoringFolder(const std::string& dirMonitor, const std::string& partName,
                             const std::string& revisionNumber, const std::string& serialNumber);

// The first free value-file name "00000001.dfx" .. "00009999.dfx" in the folder; nothing when all are taken.
std::optional<std::string> nextMonitoringValueFile(platform::FileSystem& files, const std::string& folder);

// Whether the last numbered value file of the monitoring folder holds what the file at path holds.
bool sameAsLastMonitoringValues(platform::FileSystem& files, const std::string& folder, const std::string& path);

// The name under which the description goes into the monitoring folder once.
inline constexpr const char* kMonitoringDescription = "00000001.dfd";

// The name of a temporary in a folder; a new one at every call in this process.
std::string temporaryPath(platform::FileSystem& files, const std::string& folder);

template <class Make>
std::optional<std::string> makeTemporary(platform::FileSystem& files, const std::string& folder, Make&& make) {
    // A name can only be taken by a process of the same id that was killed: then the next one.
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string path = temporaryPath(files, folder);
        if (make(path)) return path;
        if (!files.fileExists(path)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace kelmar::qdas
