#pragma once
// What reading the catalog and the value files needs from the rest of the program.

#include <string>

#include "platform/file_system.h"
#include "platform/messages.h"
#include "settings/language_texts.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {

// The ports and the program folder the readers work with, handed down by the process object.
struct CatalogContext {
    platform::FileSystem& files;
    platform::Messages& messages;
    const settings::LanguageTexts& texts;
    settings::SettingsStore& settings;
    std::string programFolder;
};

// program folder + "\Catalogs\MyCatalog.dfd": the catalog used when CatalogPathName is missing or blank.
std::string defaultCatalogPath(const std::string& programFolder);

// program folder + "\Catalogs\": the value-file folder used when ValueFilePath is missing or blank.
std::string defaultValueFileFolder(const std::string& programFolder);

// The stored value of a path setting, or fallback when it is missing or blank; the fallback is then written back.
std::string readPathSetting(settings::SettingsStore& settings, const char* name, const std::string& fallback);

}  // namespace kelmar::qdas
