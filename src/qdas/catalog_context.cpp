#include "qdas/catalog_context.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace kelmar::qdas {

std::string defaultCatalogPath(const std::string& programFolder) {
    return platform::joinPath(programFolder, platform::nativeSeparators("\\Catalogs\\MyCatalog.dfd"));
}

std::string defaultValueFileFolder(const std::string& programFolder) {
    return platform::joinPath(programFolder, platform::nativeSeparators("\\Catalogs\\"));
}

std::string readPathSetting(settings::SettingsStore& settings, const char* name, const std::string& fallback) {
    auto stored = settings.readText(name);
    if (stored && !platform::trimBlanks(*stored).empty()) return *stored;
    settings.writeText(name, fallback);
    return fallback;
}

}  // namespace kelmar::qdas
