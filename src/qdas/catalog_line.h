#pragma once
// One line of a catalog file: "K4062/12 Mill 3" is the key K4062, the index
// 12 and the value "Mill 3". Lines are looked at in place, without copies,
// so a large catalog reads about as fast as its lines can be walked.

#include <cstdint>
#include <optional>
#include <string_view>

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

// Calls each(line) for every line of text, split at CR LF, LF or a lone CR
// as platform::splitLines does; a final line end does not start another line.
template <class Each>
void forEachLine(std::string_view text, Each&& each) {
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    for (const char* p = start; p != end; ++p) {
        if (*p != '\r' && *p != '\n') continue;
        each(std::string_view(start, static_cast<size_t>(p - start)));
        if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
        start = p + 1;
    }
    if (start != end) each(std::string_view(start, static_cast<size_t>(end - start)));
}

}  // namespace kelmar::qdas
