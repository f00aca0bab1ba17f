#include "qdas/file_copy.h"

#include <cstdio>
#include <unordered_set>
#include <vector>

#include "platform/paths.h"
#include "qdas/file_naming.h"

namespace kelmar::qdas {
namespace {

constexpr int kLastMonitoringNumber = 9999;
constexpr int kLastSuffix = 9999;

// Beside the final name, unique to this process and call, with an extension no Q-DAS reader picks up.
std::string temporaryPath(platform::FileSystem& files, const std::string& folder, const std::string& targetName) {
    return platform::joinPath(folder, targetName + "." + files.processTag() + ".kelmar-part");
}

std::string fileOfSet(const std::string& folder, const std::string& baseName, const FileToWrite& file) {
    return platform::joinPath(folder, baseName + "." + file.extension);
}

bool nameTaken(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
               std::span<const FileToWrite> set) {
    for (const FileToWrite& file : set) {
        const std::string path = fileOfSet(folder, baseName, file);
        if (files.fileExists(path) || files.folderExists(path)) return true;
    }
    return false;
}

std::string withSuffix(const std::string& baseName, int number) {
    return number == 1 ? baseName : baseName + "_" + std::to_string(number);
}

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
    const std::string temporary = temporaryPath(files, folder, targetName);
    if (!files.copyToNewFile(sourcePath, temporary)) return false;
    // The rename refuses a target that appeared meanwhile, so nothing is overwritten.
    if (files.renameFile(temporary, target)) return true;
    files.removeFile(temporary);
    return false;
}

WrittenSet writeFileSet(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                        std::span<const FileToWrite> set) {
    WrittenSet result{baseName};
    std::vector<std::string> temporaries;
    for (const FileToWrite& file : set) {
        temporaries.push_back(temporaryPath(files, folder, baseName + "." + file.extension));
        if (files.writeNewFile(temporaries.back(), file.text)) continue;
        temporaries.pop_back();
        for (const std::string& written : temporaries) files.removeFile(written);
        result.failure = WrittenSet::Failure::Write;
        result.failedFile = temporaries.size();
        return result;
    }
    for (int number = 1; number <= kLastSuffix; ++number) {
        result.baseName = withSuffix(baseName, number);
        if (nameTaken(files, folder, result.baseName, set)) continue;
        std::size_t placed = 0;
        while (placed < set.size() &&
               files.renameFile(temporaries[placed], fileOfSet(folder, result.baseName, set[placed])))
            ++placed;
        if (placed == set.size()) {
            if (!files.flushFolder(folder)) result.failure = WrittenSet::Failure::Flush;
            return result;
        }
        // Another writer took the name meanwhile: the next one.
        if (placed == 0 && nameTaken(files, folder, result.baseName, set)) continue;
        result.failure = WrittenSet::Failure::Rename;
        result.failedFile = placed;
        result.keptAs = temporaries[placed];
        return result;
    }
    result.failure = WrittenSet::Failure::Rename;
    result.keptAs = temporaries.front();
    return result;
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
