#include "qdas/value_file.h"

#include "platform/paths.h"
#include "platform/product.h"
#include "qdas/catalog_line.h"
#include "qdas/catalog_tables.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

// K1209 is the one field whose choices are held to a length; longer lines are cut and the user
// told once per file, however many lines were cut.
void reportCutK1209(std::string_view firstCut, size_t cutCount, CatalogContext& context) {
    if (cutCount == 0) return;
    if (cutCount == 1) {
        context.messages.plain(platform::kApplicationTitle,
                               context.texts.text(settings::Text::CatalogItemTooLong, {firstCut}));
        return;
    }
    context.messages.plain(platform::kApplicationTitle,
                           context.texts.text(settings::Text::CatalogItemsTooLong, {std::to_string(cutCount)}));
}

}  // namespace

std::vector<std::string>* ValueFileChoices::listOf(std::string_view key) {
    if (key == "K2320") return &ComboK2320;
    if (key == "K2401") return &ComboK2401;
    if (key == "K2402") return &ComboK2402;
    if (key == "K2005") return &ComboMMKlasse;
    if (key == "K1209") return &ComboK1209;
    return nullptr;
}

std::string valueFilePath(const std::string& key, CatalogContext& context) {
    std::string folder = readPathSetting(context.settings, settings::names::ValueFilePath,
                                         defaultValueFileFolder(context.programFolder));
    return platform::joinPath(folder, key + ".dat");
}

bool ReadValueFile(const std::string& key, ValueFileChoices& lists, CatalogContext& context) {
    auto content = context.files.readFileUpTo(valueFilePath(key, context), kMaxCatalogFileBytes);
    if (!content) return false;
    std::vector<std::string>* list = lists.listOf(key);
    if (!list) return true;
    // Cleared only once the file is read, so a missing file leaves the form's own entries in place.
    list->clear();
    const bool fit = key == "K1209";
    std::string_view firstCut;
    size_t cutCount = 0;
    forEachLine(*content, [&](std::string_view line) {
        if (list->size() >= static_cast<size_t>(kMaxCatalogEntries)) return false;
        if (fit && line.size() > kMaxK1209Length) {
            if (cutCount++ == 0) firstCut = line;
            line = line.substr(0, kMaxK1209Length);
        }
        list->emplace_back(line);
        return true;
    });
    reportCutK1209(firstCut, cutCount, context);
    return true;
}

}  // namespace kelmar::qdas
