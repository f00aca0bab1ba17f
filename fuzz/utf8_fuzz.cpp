// The UTF-8 decoder as a property: valid UTF-8 of code-page characters comes
// back byte for byte, and every malformed sequence becomes "?".
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/code_page.h"

using namespace kelmar;
using platform::CodePage;

namespace {

// What each position of UTF-8 text must decode to: an ASCII byte as itself, a
// malformed sequence as '?', a character as one byte of the code page (or '?'
// when the code page has none for it). Checked against the strict definition.
enum class Expect { Same, Question, Character };

struct Token {
    Expect expect;
    char byte;
};

std::vector<Token> expectedTokens(std::string_view text) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            tokens.push_back({Expect::Same, text[i++]});
            continue;
        }
        const std::size_t length = lead >= 0xC0 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF7                                  ? 4
                                                                                                   : 0;
        bool shaped = length != 0 && i + length <= text.size();
        char32_t c = lead & (0x7F >> length);
        for (std::size_t k = 1; shaped && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            shaped = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!shaped) {  // a stray or cut byte: '?' for it, and go on with the next byte
            tokens.push_back({Expect::Question, '?'});
            ++i;
            continue;
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool character = c >= kSmallest[length] && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
        tokens.push_back({character ? Expect::Character : Expect::Question, '?'});
        i += length;
    }
    return tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<Token> tokens = expectedTokens(bytes);
    for (CodePage page : {CodePage::Windows1252, CodePage::Windows1250}) {
        // Every code-page text survives the trip through UTF-8 (undefined bytes come back as "?").
        const std::string back = platform::fromUtf8(platform::toUtf8(bytes, page), page);
        if (back.size() != bytes.size()) fuzz::propertyFailed("a code-page text changed length on the round trip");
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (back[i] != bytes[i] && back[i] != '?') fuzz::propertyFailed("a code-page byte changed on the round trip");

        // Read as UTF-8: malformed input gives '?', never a character and never ASCII such as "/" or NUL.
        const std::string decoded = platform::fromUtf8(bytes, page);
        if (decoded.size() != tokens.size()) fuzz::propertyFailed("decoded text has the wrong length");
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const auto out = static_cast<unsigned char>(decoded[i]);
            const bool ok = tokens[i].expect == Expect::Same       ? decoded[i] == tokens[i].byte
                            : tokens[i].expect == Expect::Question ? decoded[i] == '?'
                                                                   : out >= 0x80 || decoded[i] == '?';
            if (!ok) fuzz::propertyFailed("UTF-8 decoded against its definition at character " + std::to_string(i));
        }
    }
    return 0;
}
