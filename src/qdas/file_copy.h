#pragma once
// Copies into result and monitoring folders. A copy goes to a temporary name
// in the destination and is renamed into place, so whoever polls that folder
// never reads a partial file; an existing file of the final name is never replaced.

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace kelmar::qdas {

// Copies sourceFolder/fileName to destinationFolder/fileName without overwriting; false
// when the destination folder is missing, the file is already there or the copy failed.
bool fctCopyFile(platform::FileSystem& files, const std::string& fileName, const std::string& destinationFolder,
                 const std::string& sourceFolder);

// Copies sourcePath to folder/targetName without overwriting; false like fctCopyFile.
bool copyWithoutOverwriting(platform::FileSystem& files, const std::string& sourcePath, const std::string& folder,
                            const std::string& targetName);

// The monitoring folder of a part program: DIR_MONITOR/<part>_<revision>_<serial>, each text made safe.
std::string monitoringFolder(const std::string& dirMonitor, const std::string& partName,
                             const std::string& revisionNumber, const std::string& serialNumber);

// The first free value-file name "00000001.dfx" .. "00009999.dfx" in the folder; nothing when all are taken.
std::optional<std::string> nextMonitoringValueFile(platform::FileSystem& files, const std::string& folder);

// The name under which the description goes into the monitoring folder once.
inline constexpr const char* kMonitoringDescription = "00000001.dfd";

}  // namespace kelmar::qdas
