#pragma once
// The quoted list format of the settings files: one field per line, texts in
// double quotes, booleans as #TRUE# / #FALSE#, integers as plain digits.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmar::settings {

// A settings file holds a few dozen short lines; a larger one is refused unread.
inline constexpr size_t kMaxQuotedListFileBytes = 1024 * 1024;

// A text field: the text in double quotes.
std::string quotedText(std::string_view text);
// A boolean field: "#TRUE#" or "#FALSE#".
std::string quotedBool(bool value);
// An integer field: decimal digits, a minus sign when negative.
std::string quotedInt(int value);

// The fields, each on its own line ended by CR LF.
std::string joinQuotedLines(const std::vector<std::string>& fields);

// The field a line holds: the text between the quotes of a quoted item, else the
// line trimmed of blanks, with #TRUE# / #FALSE# read as the words true / false.
// Nothing when the line holds more than one item, an unclosed quote or control bytes.
std::optional<std::string> readQuotedField(std::string_view line);

// The fields of the first count lines of a file; a line missing or unreadable gives nothing,
// so a field is only ever taken from its own line.
std::vector<std::optional<std::string>> readQuotedFields(const std::string& content, size_t count);

// The first count items of a file whose items are separated by commas, by lines or
// both; a quoted item may hold commas. An unreadable item gives nothing and keeps its place.
std::vector<std::optional<std::string>> readQuotedItems(const std::string& content, size_t count);

// A 16-bit integer field; nothing for other text or a value out of range.
std::optional<int> readQuotedInt16(const std::string& field);

}  // namespace kelmar::settings
