#include "qdas/part_data_file.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "qdas/catalog_line.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {
namespace {

std::optional<int> positionIn(std::string_view text, int lowest) {
    auto number = settings::parseWholeNumber(std::string(text));
    if (!number || *number < lowest || *number > kMaxPartDataPosition) return std::nullopt;
    return number;
}

// A sign and digits, whether or not the number fits a list position.
bool isWholeNumber(std::string_view text) {
    std::string_view digits = trimmedView(text);
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// Each piece is taken on its own, so one unfit piece does not cost the others.
std::vector<int> positionList(std::string_view line) {
    std::vector<bool> chosen(kMaxPartDataPosition + 1, false);
    size_t start = 0;
    while (start <= line.size()) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) comma = line.size();
        if (auto position = positionIn(line.substr(start, comma - start), 0)) chosen[*position] = true;
        start = comma + 1;
    }
    std::vector<int> positions;
    for (int i = 0; i <= kMaxPartDataPosition; ++i)
        if (chosen[i]) positions.push_back(i);
    return positions;
}

std::optional<PartDataValue> parseLine(PartDataKind kind, std::string_view line) {
    PartDataValue value;
    switch (kind) {
        case PartDataKind::GroupPosition:
            // A line without a number (nothing was selected when saving) selects the first group.
            if (!isWholeNumber(line)) {
                value.position = 0;
                return value;
            }
            if (auto position = positionIn(line, 0)) {
                value.position = *position;
                return value;
            }
            return std::nullopt;
        case PartDataKind::EventPositions:
            value.positions = positionList(line);
            return value;
        case PartDataKind::ListPosition:
            if (auto position = positionIn(line, -1)) {
                value.position = *position;
                return value;
            }
            return std::nullopt;
        case PartDataKind::Text:
        case PartDataKind::Caption:
            value.text = line;
            return value;
    }
    return std::nullopt;
}

// A line break inside a text would shift every line after it.
std::string oneLine(std::string text) {
    platform::blankControlCharacters(text);
    return text;
}

std::string formatLine(PartDataKind kind, const PartDataValue& value) {
    switch (kind) {
        case PartDataKind::GroupPosition:
            return value.position < 0 ? std::string() : std::to_string(value.position);
        case PartDataKind::EventPositions: {
            std::string joined;
            for (int position : value.positions) {
                if (!joined.empty()) joined.push_back(',');
                joined += std::to_string(position);
            }
            return joined;
        }
        case PartDataKind::ListPosition:
            return std::to_string(value.position);
        case PartDataKind::Text:
        case PartDataKind::Caption:
            return oneLine(value.text);
    }
    return {};
}

}  // namespace

std::string partDataFolder(const std::string& programFolder) { return platform::joinPath(programFolder, "PartData"); }

std::string partDataFileName(bool oneFileForAll, std::string_view partName, std::string_view revision) {
    if (oneFileForAll) return "Default.cfg";
    return platform::safeJoinedName("", {partName, revision}, "__", ".cfg");
}

PartData parsePartData(std::string_view text) {
    PartData data;
    int index = 0;
    forEachLine(text, [&](std::string_view line) {
        if (index < kPartDataLineCount) data[index] = parseLine(kPartDataLines[index].kind, line);
        ++index;
    });
    // The caption of a file that ends early reads as an empty K0011.
    for (int i = index; i < kPartDataLineCount; ++i)
        if (kPartDataLines[i].kind == PartDataKind::Caption)
            data[i] = PartDataValue{.text = "[]", .position = -1, .positions = {}};
    return data;
}

std::string partDataText(const PartData& data) {
    std::string text;
    for (int i = 0; i < kPartDataLineCount; ++i) {
        text += formatLine(kPartDataLines[i].kind, data[i].value_or(PartDataValue{}));
        text += "\r\n";
    }
    return text;
}

std::optional<PartData> ReadPartDataFile(platform::FileSystem& files, const std::string& path) {
    auto content = files.readFileUpTo(path, kMaxPartDataFileBytes);
    if (!content) return std::nullopt;
    return parsePartData(*content);
}

std::optional<PartData> LoadPartDataFile(platform::FileSystem& files, platform::Messages& messages,
                                         const settings::LanguageTexts& texts, const std::string& path) {
    if (!files.fileExists(path) && !files.folderExists(path)) return std::nullopt;
    auto content = files.readFileUpTo(path, kMaxPartDataFileBytes);
    // Saved texts never hold control bytes, so a file with them is damaged, not saved entries.
    const bool damaged = content && std::any_of(content->begin(), content->end(), [](char c) {
                             return static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n' && c != '\t';
                         });
    if (content && !damaged) return parsePartData(*content);
    messages.error(platform::kApplicationTitle, texts.text(settings::Text::SavedEntriesUnreadable, {path}));
    return std::nullopt;
}

bool SavePartDataFile(platform::FileSystem& files, platform::Messages& messages, const settings::LanguageTexts& texts,
                      const std::string& programFolder, const std::string& fileName, const PartData& data) {
    const std::string folder = partDataFolder(programFolder);
    if (!files.folderExists(folder) && !files.createFolder(folder)) {
        messages.plain(platform::kApplicationTitle,
                       texts.text(settings::Text::CannotCreateFolder, {folder + platform::pathSeparator()}));
        return false;
    }
    // Written whole in one step, so the file replaces the old one instead of first deleting it.
    const std::string path = platform::joinPath(folder, fileName);
    if (files.writeFile(path, partDataText(data))) return true;
    messages.plain(platform::kApplicationTitle, texts.text(settings::Text::CannotWriteFile, {path}));
    return false;
}

}  // namespace kelmar::qdas
