#pragma once
// The user's label texts of 12 K-fields (TXTK0006 ...) and their export file
// QDAS_Settings.cfg: 12 quoted texts, written one per line.

#include "platform/file_system.h"
#include "settings/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelmar::settings {

struct FieldDescription {
    const char* key;
    const char* defaultText;
};

inline constexpr size_t kFieldDescriptionCount = 12;

// In the order the dialog loads and stores them.
inline constexpr std::array<FieldDescription, kFieldDescriptionCount> kFieldDescriptions{{
    {"K0006", "Batch number"},
    {"K0007", "Cavity number"},
    {"K0008", "Operator name"},
    {"K0009", "Text"},
    {"K0010", "Machine number"},
    {"K0011", "Process Parameter"},
    {"K0012", "Gage number"},
    {"K0053", "Order"},
    {"K2320", "Contract number"},
    {"K2401", "Gage number"},
    {"K2402", "Gage description"},
    {"K1209", "Inspection type"},
}};

// Indexed like kFieldDescriptions.
using FieldTexts = std::array<std::string, kFieldDescriptionCount>;
using ImportedFieldTexts = std::array<std::optional<std::string>, kFieldDescriptionCount>;

// The settings value of a key's text: "TXT" followed by the key.
std::string fieldTextSetting(std::string_view key);

// The stored texts; a missing or empty one is its default text.
FieldTexts LoadFieldTexts(const SettingsStore& store);
// Writes the 12 texts; a refused write does not stop the others.
void SaveFieldTexts(SettingsStore& store, const FieldTexts& texts);

// QDAS_Settings.cfg in the program's folder.
std::string fieldDescriptionFilePath(const std::string& programFolder);

// The 12 lines of the file, in the file's own order.
std::string formatFieldDescriptionFile(const FieldTexts& texts);
// The texts a file holds, one per line or separated by commas; an item missing or
// unreadable gives nothing for its field only.
ImportedFieldTexts parseFieldDescriptionFile(const std::string& content);

// Replaces the file with the texts; false when it could not be written.
bool ExportFieldDescriptions(platform::FileSystem& files, const std::string& path, const FieldTexts& texts);
// The texts of the file; nothing for every field when it cannot be read.
ImportedFieldTexts ImportFieldDescriptions(platform::FileSystem& files, const std::string& path);

}  // namespace kelmar::settings
