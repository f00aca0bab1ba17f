#pragma once
// Small text helpers shared by the core.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace kelmar::platform {

// Removes leading and trailing blanks (spaces only, as the host's trim does).
std::string trimBlanks(std::string_view text);

// ASCII upper case; other bytes unchanged.
std::string upperAscii(std::string_view text);

// A byte that has no place in a value or a name: below 0x20 (CR, LF, TAB, NUL, ESC ...) or DEL.
constexpr bool isControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Whether the text holds a control byte; eight bytes at a time, since values can be long.
inline bool holdsControlByte(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighBits = 0x8080808080808080u;
    const char* at = text.data();
    const char* last = at + text.size();
    for (; last - at >= 8; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        const std::uint64_t del = word ^ (kOnes * 0x7F);  // a DEL byte becomes zero
        if ((((word - kOnes * 0x20) & ~word) | ((del - kOnes) & ~del)) & kHighBits) return true;
    }
    for (; at != last; ++at)
        if (isControlByte(*at)) return true;
    return false;
}

// Every control byte becomes a blank, so a value written on one line of a file stays
// on that line and holds only text.
void blankControlCharacters(char* first, char* last);
inline void blankControlCharacters(std::string& text) { blankControlCharacters(text.data(), text.data() + text.size()); }

// Calls each(line) for every line of text, split at CR LF, LF or a lone CR
// as splitLines does; a final line end does not start another line. A callback
// that returns bool stops the walk by returning false.
template <class Each>
void forEachLine(std::string_view text, Each&& each) {
    auto visit = [&each](std::string_view line) {
        if constexpr (std::is_same_v<decltype(each(line)), bool>)
            return each(line);
        else
            return each(line), true;
    };
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    for (const char* p = start; p != end; ++p) {
        if (*p != '\r' && *p != '\n') continue;
        if (!visit(std::string_view(start, static_cast<size_t>(p - start)))) return;
        if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
        start = p + 1;
    }
    if (start != end) visit(std::string_view(start, static_cast<size_t>(end - start)));
}

}  // namespace kelmar::platform
