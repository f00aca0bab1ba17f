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

std::uint32_t CatalogEntryList::addText(std::string_view text) {
    texts_.emplace_back(text);
    return lastText();
}

void CatalogEntryList::add(std::uint32_t firstText, std::uint32_t secondText, int number) {
    entries_.push_back({firstText, secondText, number});
}

std::string CatalogEntryList::operator[](std::size_t i) const {
    const Entry& entry = entries_[i];
    return catalogEntryText(texts_[entry.first], texts_[entry.second], entry.number);
}

std::vector<std::string> CatalogEntryList::all() const {
    std::vector<std::string> texts;
    texts.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) texts.push_back((*this)[i]);
    return texts;
}

std::size_t CatalogEntryList::textBytes() const {
    std::size_t bytes = 0;
    for (const std::string& text : texts_) bytes += text.size();
    return bytes;
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
