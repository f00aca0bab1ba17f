#include "settings/settings_store.h"

#include "settings/setting_names.h"

#include <charconv>
#include <climits>
#include <string_view>

namespace kelmar::settings {

namespace {

// The text without the blanks around it; no copy, since flags are read on every capture.
std::string_view trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool equalsIgnoringCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i]) return false;
    }
    return true;
}

std::optional<int> wholeNumber(std::string_view text) {
    std::string_view digits = trimmed(text);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    long long value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::optional<int> parseWholeNumber(const std::string& text) { return wholeNumber(text); }

std::optional<bool> parseFlag(const std::string& text) {
    std::string_view word = trimmed(text);
    if (equalsIgnoringCase(word, "TRUE")) return true;
    if (equalsIgnoringCase(word, "FALSE")) return false;
    if (auto number = wholeNumber(word)) return *number != 0;
    return std::nullopt;
}

std::optional<std::string> SettingsStore::readText(const std::string& name) const {
    try {
        return backend_.read(name);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<int> SettingsStore::readInt(const std::string& name) const {
    auto text = readText(name);
    return text ? parseWholeNumber(*text) : std::nullopt;
}

std::optional<bool> SettingsStore::readFlag(const std::string& name) const {
    auto text = readText(name);
    return text ? parseFlag(*text) : std::nullopt;
}

bool SettingsStore::readFlagOr(const std::string& name, bool fallback, bool writeBack) {
    if (auto value = readFlag(name)) return *value;
    if (writeBack) writeBool(name, fallback);
    return fallback;
}

std::string SettingsStore::readTextOr(const std::string& name, const std::string& fallback, bool writeBack) {
    if (auto value = readText(name)) return *value;
    if (writeBack) writeText(name, fallback);
    return fallback;
}

bool SettingsStore::writeText(const std::string& name, const std::string& value) {
    try {
        return backend_.write(name, value);
    } catch (...) {
        return false;
    }
}

bool SettingsStore::writeInt(const std::string& name, int value) { return writeText(name, std::to_string(value)); }

bool SettingsStore::writeBool(const std::string& name, bool value) { return writeText(name, value ? "true" : "false"); }

bool SettingsStore::writeCheck(const std::string& name, bool on) { return writeText(name, on ? "1" : "0"); }

int SettingsStore::languageNumber() const {
    auto number = readInt(names::Language);
    return number && *number != 0 ? *number : 1;
}

std::string SettingsStore::kFieldName(const std::string& key) { return std::string(names::kKFieldsSubKey) + key; }

}  // namespace kelmar::settings
