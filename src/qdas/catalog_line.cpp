#include "qdas/catalog_line.h"

#include <charconv>

namespace kelmar::qdas {
namespace {

constexpr size_t kKeyLength = 5;

bool isDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::string_view trimmedView(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<std::int16_t> parseCatalogNumber(std::string_view text) {
    // Digits only: a sign, a blank or a fraction is a line that does not fit, not a number to guess at.
    if (!isDigits(text)) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

CatalogLine parseCatalogLine(std::string_view line) {
    CatalogLine parsed;
    std::string_view text = trimmedView(line);
    if (text.size() < kKeyLength + 1 || text.starts_with("//")) return parsed;

    parsed.key = text.substr(0, kKeyLength);
    std::string_view rest = text.substr(kKeyLength);
    if (rest.front() == '/') {
        rest.remove_prefix(1);
        size_t space = rest.find(' ');
        std::string_view indexText = rest.substr(0, space);
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        parsed.index = parseCatalogNumber(indexText);
        if (!parsed.index) {
            parsed.verdict = LineVerdict::Unfit;
            return parsed;
        }
    }
    parsed.value = trimmedView(rest);
    parsed.verdict = LineVerdict::Entry;
    return parsed;
}

}  // namespace kelmar::qdas
