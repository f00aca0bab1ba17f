#pragma once
// The naming and folder settings an output run needs before it writes anything.

#include <optional>
#include <string>

#include "qdas/file_naming.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {

struct OutputSettings {
    FileNameCodes codes;
    std::string DIR;
    bool FileCounter = false;
    bool SelectFolder = false;
    bool PartProgFolder = false;
    bool UseFolders = false;
    FileNameRule rule = FileNameRule::Application;
};

// Reads FileName1..5, SEPERATOR, DIR, FileCounter, SelectFolder, PartProgFolder, UseFolders
// and FileNameRule0; nothing when any of them is missing or unreadable.
std::optional<OutputSettings> readOutputSettings(const settings::SettingsStore& store);

}  // namespace kelmar::qdas
