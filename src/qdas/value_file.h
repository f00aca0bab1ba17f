#pragma once
// Value files: one ".dat" file per K-field in the folder ValueFilePath, every
// line one choice of a list of the data entry form.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "qdas/catalog_context.h"

namespace kelmar::qdas {

// The lists value files fill, each named after the form's list; no list holds
// more than kMaxCatalogEntries.
struct ValueFileChoices {
    std::vector<std::string> ComboK2320;     // K2320.dat
    std::vector<std::string> ComboK2401;     // K2401.dat
    std::vector<std::string> ComboK2402;     // K2402.dat
    std::vector<std::string> ComboMMKlasse;  // K2005.dat
    std::vector<std::string> ComboK1209;     // K1209.dat

    // The list a key fills, or null for a key without a value file.
    std::vector<std::string>* listOf(std::string_view key);
};

// The keys with a value file, in the order the data entry form reads them.
inline constexpr std::array<const char*, 5> kValueFileKeys{"K2320", "K2401", "K2402", "K2005", "K1209"};

// K1209 choices longer than this are cut, with a message.
inline constexpr size_t kMaxK1209Length = 20;

// The path of a key's value file in the folder ValueFilePath; the default folder, written back,
// when that is missing or blank.
std::string valueFilePath(const std::string& key, CatalogContext& context);

// Replaces the key's list with the lines of its value file. False when the file
// cannot be read; the list then keeps what it held. A key without a list reads
// the file and fills nothing.
bool ReadValueFile(const std::string& key, ValueFileChoices& lists, CatalogContext& context);

}  // namespace kelmar::qdas
