#pragma once
// Typed access to the settings store. Nothing is cached: every reader asks
// at the moment it needs a value, so a saved value counts at the next read.

#include "settings/settings_backend.h"

#include <optional>
#include <string>

namespace kelmar::settings {

class SettingsStore {
public:
    explicit SettingsStore(SettingsBackend& backend) : backend_(backend) {}

    // Each read fails (nothing) when the value is missing or not of the kind asked for.
    std::optional<std::string> readText(const std::string& name) const;
    // A whole number, blanks and a sign allowed.
    std::optional<int> readInt(const std::string& name) const;
    // A truth value: "true"/"false" in any case, or any whole number (non-zero is on).
    // Check flags and option flags read alike.
    std::optional<bool> readFlag(const std::string& name) const;

    // Reader convention with a default: on failure the default, written back when asked.
    bool readFlagOr(const std::string& name, bool fallback, bool writeBack);
    std::string readTextOr(const std::string& name, const std::string& fallback, bool writeBack);

    // Writes never throw; the result says whether the value was stored.
    bool writeText(const std::string& name, const std::string& value);
    bool writeInt(const std::string& name, int value);
    // Option flags and booleans: "true"/"false".
    bool writeBool(const std::string& name, bool value);
    // Check flags: "1"/"0".
    bool writeCheck(const std::string& name, bool on);

    // The language number 1..8; 1 when missing, unreadable or 0 (not written back).
    int languageNumber() const;

    // The full name of a value under "K_Fields_Settings\".
    static std::string kFieldName(const std::string& key);

private:
    SettingsBackend& backend_;
};

// Parsers shared with files that hold the same kinds of values.
std::optional<int> parseWholeNumber(const std::string& text);
std::optional<bool> parseFlag(const std::string& text);

}  // namespace kelmar::settings
