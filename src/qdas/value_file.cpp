#include "qdas/value_file.h"

#include "platform/paths.h"
#include "platform/product.h"
#include "qdas/catalog_line.h"
#include "qdas/catalog_tables.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

// K1209 is the one field whose choices are held to a length; a longer line is cut and the user told.
std::string_view fitK1209(std::string_view line, CatalogContext& context) {
    if (line.size() <= kMaxK1209Length) return line;
    context.messages.plain(platform::kApplicationTitle, "Item " + std::string(line) +
                                                            " in Catalog file K1209 is longer as 20 charaters.\n" +
                                                            "The Value will be cut to 20 characters.");
    return line.substr(0, kMaxK1209Length);
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
    auto content = context.files.readFile(valueFilePath(key, context));
    if (!content) return false;
    std::vector<std::string>* list = lists.listOf(key);
    if (!list) return true;
    // Cleared only once the file is read, so a missing file leaves the form's own entries in place.
    list->clear();
    const bool cut = key == "K1209";
    forEachLine(*content, [&](std::string_view line) {
        if (list->size() >= static_cast<size_t>(kMaxCatalogEntries)) return;
        list->emplace_back(cut ? fitK1209(line, context) : line);
    });
    return true;
}

}  // namespace kelmar::qdas
