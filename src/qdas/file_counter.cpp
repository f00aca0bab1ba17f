#include "qdas/file_counter.h"

#include <algorithm>
#include <cstdio>

#include "platform/paths.h"
#include "platform/product.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {
namespace {

constexpr int kLastCounter = 9999;

// The last line of the file as a number; 0 when it holds no number (an empty file, text).
int lastCounter(const std::string& content) {
    std::vector<std::string> lines = platform::splitLines(content);
    if (lines.empty()) return 0;
    auto value = settings::parseWholeNumber(lines.back());
    // A negative line is no counter we handed out; it restarts like text does.
    // Anything past the last counter only has to overflow, and must not wrap when advanced.
    return value && *value > 0 ? std::min(*value, kLastCounter) : 0;
}

std::string fourDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", value);
    return text;
}

}  // namespace

std::string FileCounterFilePath(const std::string& programFolder, const std::string& partName,
                                const std::string& revisionNumber, const std::string& serialNumber) {
    std::string name = "FileCounter__" + platform::safeNamePart(partName) + "__" +
                       platform::safeNamePart(revisionNumber) + "__" + platform::safeNamePart(serialNumber) + ".dat";
    return platform::joinPath(platform::joinPath(programFolder, "PartData"), name);
}

std::string NextFileCounter(platform::FileSystem& files, platform::Messages& messages, const std::string& counterFile) {
    std::optional<std::string> content = files.readFile(counterFile);
    int next = 1;
    if (content) {
        next = lastCounter(*content) + 1;
        if (next > kLastCounter) {
            messages.plain(platform::kApplicationTitle,
                           "File counter is higher then 9999. Please reset the file counter for this part program.\n"
                           "For the actual file the system will use 0000 as file counter.");
            next = 0;
        }
    }
    std::string counter = fourDigits(next);
    // A last line without its line end would otherwise run into the new one ("00410042").
    bool needsLineEnd = content && !content->empty() && content->back() != '\n' && content->back() != '\r';
    files.appendFile(counterFile, (needsLineEnd ? "\r\n" : "") + counter + "\r\n");
    return counter;
}

}  // namespace kelmar::qdas
