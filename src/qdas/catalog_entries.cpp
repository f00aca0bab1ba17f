#include "qdas/catalog_entries.h"

#include "qdas/catalog_line.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {

std::string catalogEntryText(std::string_view firstText, std::string_view secondText, int number) {
    std::string entry;
    entry.reserve(firstText.size() + secondText.size() + 12);
    entry.append(firstText).append("  ").append(secondText).append("  (");
    entry.append(std::to_string(number)).push_back(')');
    return entry;
}

std::string eventGroupEntryText(int number, std::string_view text) {
    std::string entry = std::to_string(number);
    entry.append("  ").append(text);
    return entry;
}

std::int16_t ExtractCatalogNumber(std::string_view text) {
    std::string_view rest = trimmedView(text);
    if (rest.empty()) return 0;
    rest.remove_suffix(1);  // the closing ")"
    if (size_t open = rest.rfind('('); open != std::string_view::npos) rest.remove_prefix(open + 1);
    auto number = settings::parseWholeNumber(std::string(rest));
    if (!number || *number < INT16_MIN || *number > INT16_MAX) return 0;
    return static_cast<std::int16_t>(*number);
}

std::optional<std::int16_t> leadingCatalogNumber(std::string_view entry) {
    return parseCatalogNumber(entry.substr(0, entry.find(' ')));
}

}  // namespace kelmar::qdas
