#include "qdas/file_naming.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace kelmar::qdas {
namespace {

// What a name part shows; FileName2..5 shift these codes up by one and use 0 for none.
enum PartContent { PartName = 0, SerialNumber, RevisionNumber, Date, Time, FileNameText };

std::string partText(int content, const FileNameSources& sources) {
    switch (content) {
        case PartName:
            return platform::safeNamePart(sources.partName);
        case SerialNumber:
            return platform::safeNamePart(sources.serialNumber);
        case RevisionNumber:
            return platform::safeNamePart(sources.revisionNumber);
        case Date:
            return fileNameDate(sources.now);
        case Time:
            return fileNameTime(sources.now);
        case FileNameText:
            return platform::safeNamePart(sources.fileNameText);
        default:
            return {};
    }
}

std::string applicationName(const FileNameCodes& codes, const std::string& counter, const FileNameSources& sources) {
    std::array<std::string, 5> parts;
    int last = 0;  // index of the last non-empty part among parts 2..5, 0 when none
    for (int k = 0; k < 5; ++k) {
        int content = k == 0 ? codes.FileName[0] : codes.FileName[k] - 1;
        parts[k] = partText(content, sources);
        if (k > 0 && !parts[k].empty()) last = k;
    }
    const std::string_view separator = separatorText(codes.SEPERATOR);
    std::string name;
    if (last == 0) {
        name = !parts[0].empty() ? parts[0] : platform::safeNamePart(sources.fileNameText);
    } else {
        name = parts[0];
        for (int k = 1; k <= last; ++k) (name += separator) += parts[k];
    }
    if (!counter.empty()) (name += separator) += counter;
    return name;
}

std::string gmName(const FileNameSources& sources) {
    std::string stamp = gmTimeStamp(sources.now);
    if (platform::trimBlanks(sources.fileNameText).empty()) return stamp;
    return platform::safeNamePart(sources.fileNameText) + "_" + stamp;
}

}  // namespace

std::string BuildOutputFileName(const FileNameCodes& codes, const std::string& counter, const std::string& extension,
                                FileNameRule rule, const FileNameSources& sources) {
    std::string name = rule == FileNameRule::Application ? applicationName(codes, counter, sources) : gmName(sources);
    return name + "." + extension;
}

std::string_view separatorText(int code) {
    switch (code) {
        case 1:
            return "__";
        case 2:
            return "_";
        case 3:
            return "---";
        case 4:
            return "--";
        case 5:
            return "-";
        default:
            return "___";
    }
}

bool FolderExists(platform::FileSystem& files, const std::string& path) { return files.folderExists(path); }

bool CreateFolder(platform::FileSystem& files, const std::string& path) { return files.createFolder(path); }

std::string inFolder(std::string_view folder, std::string_view name) {
    // No folder is no path: every folder check and operation on it fails.
    if (folder.empty()) return {};
    return platform::joinPath(folder, name);
}

}  // namespace kelmar::qdas
