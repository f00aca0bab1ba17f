#include "qdas/file_copy.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "platform/paths.h"
#include "qdas/file_naming.h"

namespace kelmar::qdas {
namespace {

constexpr int kLastMonitoringNumber = 9999;
constexpr int kLastSuffix = 9999;

std::atomic<unsigned long> temporaryNumber{0};

std::string finalPath(const std::string& folder, const std::string& baseName, const char* extension) {
    return platform::joinPath(folder, baseName + "." + extension);
}

bool taken(platform::FileSystem& files, const std::string& path) {
    return files.fileExists(path) || files.folderExists(path);
}

std::string withSuffix(const std::string& baseName, int number) {
    return number == 1 ? baseName : baseName + "_" + std::to_string(number);
}

std::string monitoringValueName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%08d.dfx", number);
    return name;
}

void removeAll(platform::FileSystem& files, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) files.removeFile(path);
}

// Whether every file of the set under baseName holds what its temporary holds.
// Whether the files of the set from first on are at their names already, each the same as
// its temporary, and none before: what a delivery cut off between two renames leaves.
bool earlierPart(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                 const std::vector<const char*>& extensions, const std::vector<std::string>& temporaries,
                 std::size_t first) {
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        const std::string path = finalPath(folder, baseName, extensions[i]);
        if (i < first) {
            if (taken(files, path)) return false;
            continue;
        }
        const auto there = files.readFile(path);
        if (!there || there != files.readFile(temporaries[i])) return false;
    }
    return true;
}

}  // namespace

std::string temporaryPath(platform::FileSystem& files, const std::string& folder) {
    return platform::joinPath(folder, "~" + std::to_string(files.processId()) + "-" +
                                          std::to_string(++temporaryNumber) + kTemporaryEnding);
}

bool isTemporaryName(const std::string& name) { return name.ends_with(kTemporaryEnding); }

unsigned long temporaryOwner(const std::string& name) {
    if (!isTemporaryName(name)) return 0;
    std::string_view stem(name);
    stem.remove_suffix(std::string_view(kTemporaryEnding).size());
    // "~<process>-<n>", or "<name>.<process>-<time>-<n>" from earlier versions.
    const std::size_t start = stem.find_last_of("~.");
    if (start == std::string_view::npos) return 0;
    stem.remove_prefix(start + 1);
    unsigned long id = 0;
    const auto [end, error] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
    if (error != std::errc() || end == stem.data() || end == stem.data() + stem.size() || *end != '-') return 0;
    return id;
}

int removeLeftoverTemporaries(platform::FileSystem& files, const std::string& folder) {
    int removed = 0;
    const unsigned long self = files.processId();
    for (const std::string& name : files.listFiles(folder)) {
        const unsigned long owner = temporaryOwner(name);
        // A temporary of this process may belong to a delivery still going on in it.
        if (owner == 0 || owner == self || files.processRunning(owner)) continue;
        if (files.removeFile(platform::joinPath(folder, name))) ++removed;
    }
    return removed;
}

bool copyWithoutOverwriting(platform::FileSystem& files, const std::string& sourcePath, const std::string& folder,
                            const std::string& targetName) {
    if (!FolderExists(files, folder)) return false;
    const std::string target = platform::joinPath(folder, targetName);
    if (files.fileExists(target)) return false;
    const std::optional<std::string> temporary =
        makeTemporary(files, folder, [&](const std::string& path) { return files.copyToNewFile(sourcePath, path); });
    if (!temporary) return false;
    // The rename refuses a target that appeared meanwhile, so nothing is overwritten.
    if (files.renameFile(*temporary, target)) return true;
    files.removeFile(*temporary);
    return false;
}

WrittenSet placeTemporaries(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                            const std::vector<const char*>& extensions, const std::vector<std::string>& temporaries,
                            WhenTaken whenTaken, const BeforePlacing& beforePlacing) {
    WrittenSet result{baseName};
    const std::size_t count = extensions.size();
    for (int number = 1; number <= kLastSuffix; ++number) {
        result.baseName = withSuffix(baseName, number);
        std::size_t takenNames = 0;
        for (const char* extension : extensions) takenNames += taken(files, finalPath(folder, result.baseName, extension));
        // Files from placed on are at their names already, from a delivery of this set that was cut off.
        std::size_t placed = count;
        if (takenNames > 0) {
            // A lone partner of another set makes the whole set move on, never pair with it.
            if (whenTaken != WhenTaken::NextNameUnlessSame ||
                !earlierPart(files, folder, result.baseName, extensions, temporaries, count - takenNames))
                continue;
            placed = count - takenNames;
        }
        if (beforePlacing && placed > 0) beforePlacing(result.baseName);
        std::size_t left = placed;  // the files from left on are in place
        while (left > 0 && files.renameFile(temporaries[left - 1], finalPath(folder, result.baseName, extensions[left - 1])))
            --left;
        const std::vector<std::string> copiesOfPlaced(temporaries.begin() + static_cast<long>(placed), temporaries.end());
        if (left == 0) {
            removeAll(files, copiesOfPlaced);
            result.alreadyThere = placed == 0;
            return result;
        }
        // Another writer took the name meanwhile: the next one.
        if (left == placed && taken(files, finalPath(folder, result.baseName, extensions[placed - 1]))) continue;
        for (std::size_t i = left; i < placed; ++i) files.removeFile(finalPath(folder, result.baseName, extensions[i]));
        removeAll(files, std::vector<std::string>(temporaries.begin(), temporaries.begin() + static_cast<long>(left)));
        removeAll(files, copiesOfPlaced);
        result.failure = WrittenSet::Failure::Rename;
        result.failedFile = left - 1;
        return result;
    }
    removeAll(files, temporaries);
    result.failure = WrittenSet::Failure::Rename;
    return result;
}

WrittenSet writeFileSet(platform::FileSystem& files, const std::string& folder, const std::string& baseName,
                        std::span<const FileToWrite> set, WhenTaken whenTaken, bool flushFolder,
                        const BeforePlacing& beforePlacing, std::vector<std::string> made) {
    std::vector<std::string> temporaries = std::move(made);
    std::vector<const char*> extensions;
    for (const FileToWrite& file : set) {
        extensions.push_back(file.extension);
        if (temporaries.size() >= extensions.size()) continue;
        const std::optional<std::string> temporary =
            makeTemporary(files, folder, [&](const std::string& path) { return files.writeNewFile(path, file.text); });
        if (!temporary) {
            removeAll(files, temporaries);
            WrittenSet failed{baseName, WrittenSet::Failure::Write, temporaries.size()};
            return failed;
        }
        temporaries.push_back(*temporary);
    }
    WrittenSet result = placeTemporaries(files, folder, baseName, extensions, temporaries, whenTaken, beforePlacing);
    if (result.failure == WrittenSet::Failure::None && !result.alreadyThere && flushFolder &&
        !files.flushFolder(folder))
        result.failure = WrittenSet::Failure::Flush;
    return result;
}

bool fctCopyFile(platform::FileSystem& files, const std::string& fileName, const std::string& destinationFolder,
                 const std::string& sourceFolder) {
    return copyWithoutOverwriting(files, platform::joinPath(sourceFolder, fileName), destinationFolder, fileName);
}

std::string monitoringFolder(const std::string& dirMonitor, const std::string& partName,
                             const std::string& revisionNumber, const std::string& serialNumber) {
    return inFolder(dirMonitor, platform::safeJoinedName("", {partName, revisionNumber, serialNumber}, "_", ""));
}

bool sameAsLastMonitoringValues(platform::FileSystem& files, const std::string& folder, const std::string& path) {
    std::optional<std::string> last;
    for (const std::string& name : files.listFiles(folder))
        if (name.size() == 12 && name.ends_with(".dfx") && name.find_first_not_of("0123456789") == 8 &&
            (!last || name > *last))
            last = name;
    if (!last) return false;
    const auto there = files.readFile(platform::joinPath(folder, *last));
    return there && there == files.readFile(path);
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
