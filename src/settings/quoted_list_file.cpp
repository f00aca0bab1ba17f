#include "settings/quoted_list_file.h"

#include "platform/text.h"
#include "settings/settings_store.h"

#include <algorithm>

namespace kelmar::settings {
namespace {

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Bytes no text box should receive: what a binary file is made of.
bool holdsControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7F;
    });
}

// Hands each line to take until take returns false or the content ends.
template <class Take>
void walkLines(std::string_view rest, Take take) {
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\r\n");
        if (!take(rest.substr(0, end)) || end == std::string_view::npos) return;
        bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
}

// Hands each item of a line to take: the line is cut at the commas outside double
// quotes. A comma that ends the line ends its last item and starts no other.
template <class Take>
void walkItems(std::string_view line, Take take) {
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] != ',' || quoted) continue;
        if (!take(line.substr(start, i - start))) return;
        start = i + 1;
    }
    if (start == 0 || !trimmed(line.substr(start)).empty()) take(line.substr(start));
}

}  // namespace

std::string quotedText(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string quotedBool(bool value) { return value ? "#TRUE#" : "#FALSE#"; }

std::string quotedInt(int value) { return std::to_string(value); }

std::string joinQuotedLines(const std::vector<std::string>& fields) {
    std::string out;
    for (const auto& field : fields) out += field + "\r\n";
    return out;
}

std::optional<std::string> readQuotedField(std::string_view line) {
    std::string_view item = trimmed(line);
    if (holdsControlBytes(item)) return std::nullopt;
    if (!item.empty() && item.front() == '"') {
        // One quoted item and nothing after it: a second item would belong to another field.
        size_t close = item.find('"', 1);
        if (close == std::string_view::npos || close + 1 != item.size()) return std::nullopt;
        return std::string(item.substr(1, close - 1));
    }
    // Unquoted, a comma could as well start the next field's text.
    if (item.find_first_of("\",") != std::string_view::npos) return std::nullopt;
    if (item == "#TRUE#") return std::string("true");
    if (item == "#FALSE#") return std::string("false");
    return std::string(item);
}

std::vector<std::optional<std::string>> readQuotedFields(const std::string& content, size_t count) {
    std::vector<std::optional<std::string>> fields(count);
    // Only the lines wanted are looked at, however long the file is.
    size_t taken = 0;
    if (count > 0) walkLines(content, [&](std::string_view line) {
        fields[taken] = readQuotedField(line);
        return ++taken < count;
    });
    return fields;
}

std::vector<std::optional<std::string>> readQuotedItems(const std::string& content, size_t count) {
    std::vector<std::optional<std::string>> items(count);
    size_t taken = 0;
    if (count > 0) walkLines(content, [&](std::string_view line) {
        walkItems(line, [&](std::string_view item) {
            items[taken] = readQuotedField(item);
            return ++taken < count;
        });
        return taken < count;
    });
    return items;
}

std::optional<int> readQuotedInt16(const std::string& field) {
    auto value = parseWholeNumber(field);
    if (!value || *value < -32768 || *value > 32767) return std::nullopt;
    return value;
}

}  // namespace kelmar::settings
