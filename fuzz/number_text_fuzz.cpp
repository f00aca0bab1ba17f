// The number texts as properties: what is written reads back, the general text
// keeps to 15 significant digits, and a limit is the general text of its sum.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "platform/number_text.h"

using namespace kelmar;
using namespace kelmar::platform;

namespace {

int significantDigits(std::string_view text) {
    text = text.substr(0, text.find('E'));
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    int digits = 0;
    const std::size_t last = text.find_last_of("123456789");
    for (std::size_t i = first; i <= last; ++i) digits += text[i] >= '0' && text[i] <= '9';
    // Zeros before the point of a whole number count, as they are digits of it.
    if (text.find('.') == std::string_view::npos) digits += static_cast<int>(text.size() - 1 - last);
    return digits;
}

void checkGeneral(double value) {
    const std::string text = formatGeneral(value);
    auto back = parseNumber(text);
    if (!back) fuzz::propertyFailed("general text " + text + " does not read back");
    if (significantDigits(text) > 15) fuzz::propertyFailed("general text " + text + " has more than 15 digits");
    if (formatGeneral(*back) != text) fuzz::propertyFailed("general text " + text + " changes when written again");
}

void checkValue(double value) {
    if (!std::isfinite(value)) return;
    checkGeneral(value);
    const std::string fixed = formatFixed5(value);
    auto back = parseNumber(fixed);
    if (!back) fuzz::propertyFailed("fixed text " + fixed + " does not read back");
    if (std::fabs(*back - value) > 0.5e-5 + std::fabs(value) * 1e-15) fuzz::propertyFailed("fixed text " + fixed + " is off");
    std::string written;
    const LimitSummand summand = writeFixed5Summand(written, value);
    if (written != fixed || summand.value() != back || LimitSummand::ofText(fixed).value() != back)
        fuzz::propertyFailed("the summand of " + fixed + " is not its text's");
}

void checkLimit(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return;
    const std::string nominal = formatFixed5(a), tolerance = formatFixed5(b);
    const std::string limit = limitText(nominal, tolerance);
    const double sum = *parseNumber(nominal) + *parseNumber(tolerance);
    if (!std::isfinite(sum)) return;
    if (limit != formatGeneral(sum)) fuzz::propertyFailed(nominal + " + " + tolerance + " gave " + limit);
}

double doubleAt(const std::uint8_t* data) {
    double value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Any text reads as a number or as nothing; as a limit it gives a text or nothing.
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto number = parseNumber(text)) checkGeneral(*number);
    auto [first, second] = fuzz::splitAtNul(data, size);
    const std::string limit = limitText(first, second);
    if (!limit.empty() && !parseNumber(limit)) fuzz::propertyFailed("limit " + limit + " does not read back");

    // Eight bytes a double, also scaled into the ranges measured values come in.
    for (std::size_t at = 0; at + 16 <= size; at += 16) {
        const double a = doubleAt(data + at), b = doubleAt(data + at + 8);
        checkValue(a);
        checkLimit(a, b);
        if (std::isfinite(a) && std::isfinite(b)) {
            const double small = std::fmod(a, 1e11), tolerance = std::fmod(b, 1e3);
            checkValue(small);
            checkLimit(small, tolerance);
            checkLimit(std::round(small * 1e5) / 1e5, std::round(tolerance * 1e5) / 1e5);
        }
    }
    return 0;
}
