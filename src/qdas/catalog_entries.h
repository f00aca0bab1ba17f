#pragma once
// The texts of catalog list entries, and reading numbers back out of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmar::qdas {

// "Mill 3  Bay 2  (12)": an entry of comboMaschine, comboPrüfmittel, comboPruefer, comboNest and lstEvents.
std::string catalogEntryText(std::string_view firstText, std::string_view secondText, int number);

// "1  Setup": an entry of lstKatalog.
std::string eventGroupEntryText(int number, std::string_view text);

// The catalog number of a list entry, what follows its last "("; 0 for an empty entry or one without a number.
std::int16_t ExtractCatalogNumber(std::string_view text);

// The number an entry starts with, the characters before its first space ("3   Speed" gives 3);
// nothing when they are no catalog number.
std::optional<std::int16_t> leadingCatalogNumber(std::string_view entry);

}  // namespace kelmar::qdas
