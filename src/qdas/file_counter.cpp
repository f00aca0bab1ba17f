#include "qdas/file_counter.h"

#include <algorithm>
#include <cstdio>

#include "platform/paths.h"
#include "platform/product.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {
namespace {

constexpr int kLastCounter = 9999;
// Enough for any counter line; a longer last line is no number anyway.
constexpr std::size_t kTailBytes = 256;

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// The last line of the end of a file, as splitLines would give it: one final line end
// does not start another line.
std::string_view lastLine(std::string_view tail) {
    if (tail.ends_with("\r\n"))
        tail.remove_suffix(2);
    else if (!tail.empty() && isLineEnd(tail.back()))
        tail.remove_suffix(1);
    const std::size_t end = tail.find_last_of("\r\n");
    return end == std::string_view::npos ? tail : tail.substr(end + 1);
}

// The last line of the file as a number; 0 when it holds no number (an empty file, text).
int lastCounter(const std::string& tail) {
    const std::string_view line = lastLine(tail);
    // Only the end of a longer line was read: it cannot be all counter.
    if (line.size() == tail.size() && tail.size() >= kTailBytes) return 0;
    auto value = settings::parseWholeNumber(std::string(line));
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
    const std::string name =
        platform::safeJoinedName("FileCounter__", {partName, revisionNumber, serialNumber}, "__", ".dat");
    return platform::joinPath(platform::joinPath(programFolder, "PartData"), name);
}

FileCounterValue NextFileCounter(platform::FileSystem& files, platform::Messages& messages,
                                 const settings::LanguageTexts& texts, const std::string& counterFile) {
    std::optional<std::string> content = files.readTail(counterFile, kTailBytes);
    const bool unreadable = !content && (files.fileExists(counterFile) || files.folderExists(counterFile));
    int next = 1;
    if (content) {
        next = lastCounter(*content) + 1;
        if (next > kLastCounter) {
            messages.plain(platform::kApplicationTitle, texts.text(settings::Text::CounterAbove9999));
            next = 0;
        }
    }
    FileCounterValue value{fourDigits(next)};
    // A last line without its line end would otherwise run into the new one ("00410042").
    bool needsLineEnd = content && !content->empty() && !isLineEnd(content->back());
    value.saved = !unreadable && files.appendFile(counterFile, (needsLineEnd ? "\r\n" : "") + value.counter + "\r\n");
    if (!value.saved)
        messages.error(platform::kApplicationTitle,
                       texts.text(settings::Text::CounterNotAdvanced, {counterFile, value.counter}));
    return value;
}

}  // namespace kelmar::qdas
