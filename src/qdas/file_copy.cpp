#include "qdas/file_copy.h"

#include <cstdio>
#include <unordered_set>

#include "platform/paths.h"
#include "qdas/file_naming.h"

namespace kelmar::qdas {
namespace {

constexpr int kLastMonitoringNumber = 9999;

// Beside the final name, with an extension no Q-DAS reader picks up.
std::string temporaryName(const std::string& targetName) { return targetName + ".kelmar-part"; }

std::string monitoringValueName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%08d.dfx", number);
    return name;
}

}  // namespace

bool copyWithoutOverwriting(platform::FileSystem& files, const std::string& sourcePath, const std::string& folder,
                            const std::string& targetName) {
    if (!FolderExists(files, folder)) return false;
    const std::string target = platform::joinPath(folder, targetName);
    if (files.fileExists(target)) return false;
    const std::string temporary = platform::joinPath(folder, temporaryName(targetName));
    // A leftover of an interrupted copy of ours may stand there; it is replaced.
    if (!files.copyFile(sourcePath, temporary, true)) {
        files.removeFile(temporary);
        return false;
    }
    // The rename refuses a target that appeared meanwhile, so nothing is overwritten.
    if (!files.renameFile(temporary, target)) {
        files.removeFile(temporary);
        return false;
    }
    return true;
}

bool fctCopyFile(platform::FileSystem& files, const std::string& fileName, const std::string& destinationFolder,
                 const std::string& sourceFolder) {
    return copyWithoutOverwriting(files, platform::joinPath(sourceFolder, fileName), destinationFolder, fileName);
}

std::string monitoringFolder(const std::string& dirMonitor, const std::string& partName,
                             const std::string& revisionNumber, const std::string& serialNumber) {
    return inFolder(dirMonitor, platform::safeNamePart(partName) + "_" + platform::safeNamePart(revisionNumber) + "_" +
                                    platform::safeNamePart(serialNumber));
}

std::optional<std::string> nextMonitoringValueFile(platform::FileSystem& files, const std::string& folder) {
    // One listing instead of up to 9999 existence checks; the rename still refuses a name taken meanwhile.
    std::vector<std::string> listed = files.listFiles(folder);
    std::unordered_set<std::string> taken(listed.begin(), listed.end());
    for (int number = 1; number <= kLastMonitoringNumber; ++number) {
        std::string name = monitoringValueName(number);
        if (!taken.contains(name)) return name;
    }
    return std::nullopt;
}

}  // namespace kelmar::qdas
