#pragma once
// One line of a catalog file: "K4062/12 Mill 3" is the key K4062, the index
// 12 and the value "Mill 3". Lines are looked at in place, without copies,
// so a large catalog reads about as fast as its lines can be walked.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/text.h"

namespace kelmar::qdas {

enum class LineVerdict {
    Ignored,  // shorter than 6 characters after trimming, or a "//" comment
    Unfit,    // an index that is not a catalog number; the line is skipped
    Entry,
};

struct CatalogLine {
    LineVerdict verdict = LineVerdict::Ignored;
    std::string_view key;               // the first five characters, compared exactly
    std::optional<std::int16_t> index;  // only when "/" follows the key directly
    std::string_view value;             // the rest, trimmed
};

// Splits one line (without its line end) into key, index and value.
CatalogLine parseCatalogLine(std::string_view line);

// A catalog number: decimal digits only, 0..32767. Nothing for anything else
// (blank, a sign, other characters, beyond 16 bits).
std::optional<std::int16_t> parseCatalogNumber(std::string_view text);

// The text without leading and trailing blanks, as a view into it.
std::string_view trimmedView(std::string_view text);

using platform::forEachLine;

}  // namespace kelmar::qdas
