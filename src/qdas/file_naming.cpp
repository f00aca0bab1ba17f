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

// What a name needs beside its parts: ".dfq", and room for the "_2" ... "_9999" of a taken name.
std::size_t fixedBytes(const std::string& extension) { return 1 + extension.size() + kTakenNameSuffixBytes; }

std::string applicationName(const FileNameCodes& codes, const std::string& counter, const std::string& extension,
                            const FileNameSources& sources, bool& shortened) {
    std::array<std::string, 5> parts;
    int last = 0;  // index of the last non-empty part among parts 2..5, 0 when none
    for (int k = 0; k < 5; ++k) {
        int content = k == 0 ? codes.FileName[0] : codes.FileName[k] - 1;
        parts[k] = partText(content, sources);
        if (k > 0 && !parts[k].empty()) last = k;
    }
    if (last == 0 && parts[0].empty()) parts[0] = platform::safeNamePart(sources.fileNameText);
    const std::string_view separator = separatorText(codes.SEPERATOR);
    // The counter and the separators stay whole; only the parts are cut.
    std::string* cut[5];
    for (int k = 0; k <= last; ++k) cut[k] = &parts[k];
    const std::size_t fixed = fixedBytes(extension) + separator.size() * last +
                              (counter.empty() ? 0 : separator.size() + counter.size());
    shortened = platform::fitNameParts(std::span(cut, static_cast<std::size_t>(last) + 1), fixed);
    std::string name = parts[0];
    for (int k = 1; k <= last; ++k) (name += separator) += parts[k];
    if (!counter.empty()) (name += separator) += counter;
    return name;
}

std::string gmName(const std::string& extension, const FileNameSources& sources, bool& shortened) {
    std::string stamp = gmTimeStamp(sources.now);
    if (platform::trimBlanks(sources.fileNameText).empty()) return stamp;
    std::string text = platform::safeNamePart(sources.fileNameText);
    std::string* cut[] = {&text};
    shortened = platform::fitNameParts(cut, fixedBytes(extension) + 1 + stamp.size());
    return text + "_" + stamp;
}

}  // namespace

std::string BuildOutputFileName(const FileNameCodes& codes, const std::string& counter, const std::string& extension,
                                FileNameRule rule, const FileNameSources& sources, bool* shortened) {
    bool cut = false;
    std::string name = rule == FileNameRule::Application ? applicationName(codes, counter, extension, sources, cut)
                                                         : gmName(extension, sources, cut);
    if (shortened) *shortened = cut;
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
