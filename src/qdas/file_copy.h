#pragma once
// How files are put into TempData, the result folders and the monitoring folder.
// Each is first written or copied whole under a temporary name of its own,
// flushed, and then renamed to its final name, which is never replaced, so
// whoever reads a folder only ever sees whole files under final names.

#include <optional>
#include <span>
#include <string>

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

// One file of a set that is written together: its extension ("dfq") and its text.
struct FileToWrite {
    const char* extension;
    const std::string& text;
};

// What became of a file set written into a folder.
struct WrittenSet {
    enum class Failure { None, Write, Rename, Flush };
    std::string baseName;  // the name the set got: the one asked for, or with "_2", "_3" ... added
    Failure failure = Failure::None;
    std::size_t failedFile = 0;  // index of the file that failed (Write, Rename)
    std::string keptAs{};        // Rename: the temporary path under which that whole file stays
};

// Writes the files as folder/<baseName>.<extension>. While any of those names is taken
// (a file of an earlier run waits there), "_2", "_3" ... go before the extension. A file
// not written whole is removed with the rest of the set; nothing is ever replaced.
WrittenSet writeFileSet(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                        std::span<const FileToWrite> set);

// The monitoring folder of a part program: DIR_MONITOR/<part>_<revision>_<serial>, each text made safe.
std::string monitoringFolder(const std::string& dirMonitor, const std::string& partName,
                             const std::string& revisionNumber, const std::string& serialNumber);

// The first free value-file name "00000001.dfx" .. "00009999.dfx" in the folder; nothing when all are taken.
std::optional<std::string> nextMonitoringValueFile(platform::FileSystem& files, const std::string& folder);

// The name under which the description goes into the monitoring folder once.
inline constexpr const char* kMonitoringDescription = "00000001.dfd";

}  // namespace kelmar::qdas
