#include "platform/code_page.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace kelmar::platform {
namespace {

// The upper halves of both code pages; 0 marks a byte the code page leaves undefined.
// Bytes 0xA0..0xFF of Windows-1252 equal Latin-1, so only 0x80..0x9F are listed there.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::array<char16_t, 128> kHigh1250 = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

char32_t decodeByte(unsigned char byte, CodePage codePage) {
    if (byte < 0x80) return byte;
    if (codePage == CodePage::Windows1250) {
        char16_t c = kHigh1250[byte - 0x80];
        return c ? c : 0xFFFD;
    }
    if (byte >= 0xA0) return byte;
    char16_t c = kHigh1252[byte - 0x80];
    return c ? c : 0xFFFD;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reverse lookup table for one code page: code point -> byte, built once.
struct Encoder {
    std::array<std::pair<char32_t, unsigned char>, 128> high{};
    explicit Encoder(CodePage cp) {
        for (int b = 0x80; b <= 0xFF; ++b) high[b - 0x80] = {decodeByte(static_cast<unsigned char>(b), cp), b};
    }
    char encode(char32_t c) const {
        if (c < 0x80) return static_cast<char>(c);
        for (const auto& [code, byte] : high)
            if (code == c && code != 0xFFFD) return static_cast<char>(byte);
        return '?';
    }
};

const Encoder& encoderFor(CodePage cp) {
    static const Encoder e1252(CodePage::Windows1252);
    static const Encoder e1250(CodePage::Windows1250);
    return cp == CodePage::Windows1250 ? e1250 : e1252;
}

}  // namespace

CodePage installationCodePage() {
    const char* value = std::getenv("KELMAR_CODEPAGE");
    return value && std::string_view(value) == "1250" ? CodePage::Windows1250 : CodePage::Windows1252;
}

std::string toUtf8(std::string_view bytes, CodePage codePage) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char b : bytes) appendUtf8(out, decodeByte(static_cast<unsigned char>(b), codePage));
    return out;
}

std::string fromUtf8(std::string_view utf8, CodePage codePage) {
    const Encoder& encoder = encoderFor(codePage);
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + extra >= utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) { valid = false; break; }
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        // An overlong form ("C0 AF" for "/"), a surrogate or a code point past U+10FFFF is no
        // character: the whole sequence becomes one '?', so it cannot sneak in a "/" or a NUL.
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        const bool character = c >= kSmallest[extra] && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
        out += character ? encoder.encode(c) : '?';
        i += extra + 1;
    }
    return out;
}

std::u16string toUtf16(std::string_view bytes, CodePage codePage) {
    std::u16string out;
    out.reserve(bytes.size());
    // Both code pages lie wholly in the basic plane: one unit per byte.
    for (char b : bytes) out += static_cast<char16_t>(decodeByte(static_cast<unsigned char>(b), codePage));
    return out;
}

std::string fromUtf16(std::u16string_view utf16, CodePage codePage) {
    const Encoder& encoder = encoderFor(codePage);
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            // A pair stands for one character outside both code pages.
            bool pair = unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
            if (pair) ++i;
            out += '?';
            continue;
        }
        out += encoder.encode(unit);
    }
    return out;
}

}  // namespace kelmar::platform
