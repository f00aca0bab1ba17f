#include "settings/field_description_file.h"

#include "platform/paths.h"
#include "settings/quoted_list_file.h"

#include <vector>

namespace kelmar::settings {
namespace {

// Line n of the file holds the field kFieldDescriptions[kFileOrder[n - 1]]; K0011 moved to the end.
constexpr std::array<size_t, kFieldDescriptionCount> kFileOrder{0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 5, 11};

}  // namespace

std::string fieldTextSetting(std::string_view key) { return std::string("TXT") + std::string(key); }

FieldTexts LoadFieldTexts(const SettingsStore& store) {
    FieldTexts texts;
    for (size_t i = 0; i < kFieldDescriptionCount; ++i) {
        auto stored = store.readText(fieldTextSetting(kFieldDescriptions[i].key));
        texts[i] = stored && !stored->empty() ? *stored : kFieldDescriptions[i].defaultText;
    }
    return texts;
}

void SaveFieldTexts(SettingsStore& store, const FieldTexts& texts) {
    for (size_t i = 0; i < kFieldDescriptionCount; ++i)
        store.writeText(fieldTextSetting(kFieldDescriptions[i].key), texts[i]);
}

std::string fieldDescriptionFilePath(const std::string& programFolder) {
    return platform::joinPath(programFolder, "QDAS_Settings.cfg");
}

std::string formatFieldDescriptionFile(const FieldTexts& texts) {
    std::vector<std::string> lines;
    for (size_t field : kFileOrder) lines.push_back(quotedText(texts[field]));
    return joinQuotedLines(lines);
}

ImportedFieldTexts parseFieldDescriptionFile(const std::string& content) {
    auto items = readQuotedItems(content, kFieldDescriptionCount);
    ImportedFieldTexts texts;
    for (size_t item = 0; item < kFieldDescriptionCount; ++item) texts[kFileOrder[item]] = items[item];
    return texts;
}

bool ExportFieldDescriptions(platform::FileSystem& files, const std::string& path, const FieldTexts& texts) {
    return files.writeFile(path, formatFieldDescriptionFile(texts));
}

ImportedFieldTexts ImportFieldDescriptions(platform::FileSystem& files, const std::string& path) {
    auto content = files.readFileUpTo(path, kMaxQuotedListFileBytes);
    return content ? parseFieldDescriptionFile(*content) : ImportedFieldTexts{};
}

}  // namespace kelmar::settings
