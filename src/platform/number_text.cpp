#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kelmar::platform {

namespace {

// Below this the exact rounding of value * 1e5 stays within the integers a double holds.
constexpr double kFastFixedLimit = 1e9;

// Rounds to the nearest integer, ties to even, for |x| below 2^51: adding
// 1.5 * 2^52 leaves no fraction bits. nearbyint is a library call on
// baseline x86-64 and costs several times as much.
double roundHalfEven(double x) {
    constexpr double shift = 6755399441055744.0;
    return (x + shift) - shift;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writePair(char* at, unsigned pair) {
    at[0] = kDigitPairs[2 * pair];
    at[1] = kDigitPairs[2 * pair + 1];
}

// The digits of value, written to end before end; the first digit's place.
char* writeWholeDigits(char* end, std::uint64_t value) {
    for (; value >= 100; value /= 100) writePair(end -= 2, static_cast<unsigned>(value % 100));
    if (value >= 10) {
        writePair(end -= 2, static_cast<unsigned>(value));
    } else {
        *--end = static_cast<char>('0' + value);
    }
    return end;
}

// A count of hundred-thousandths as decimal text, written into out: five
// decimals, or without trailing zeros (and without the point when none are
// left). Zero has no sign.
[[gnu::always_inline]] inline void writeScaled(std::string& out, std::int64_t scaled, bool trimZeros) {
    const std::uint64_t magnitude =
        scaled < 0 ? static_cast<std::uint64_t>(-scaled) : static_cast<std::uint64_t>(scaled);
    const auto fraction = static_cast<unsigned>(magnitude % 100000);
    // Room for the 20 digits of any count before the point.
    char buffer[32];
    char* const point = buffer + 24;
    point[0] = '.';
    point[1] = static_cast<char>('0' + fraction / 10000);
    writePair(point + 2, fraction % 10000 / 100);
    writePair(point + 4, fraction % 100);
    char* end = point + 6;
    if (trimZeros) {
        while (end > point + 1 && end[-1] == '0') --end;
        if (end == point + 1) end = point;
    }
    char* first = writeWholeDigits(point, magnitude / 100000);
    if (scaled < 0) *--first = '-';
    out.assign(first, static_cast<std::size_t>(end - first));
}

// value * 1e5 rounded as "%.5f" rounds it, for |value| below kFastFixedLimit.
// value * 1e5 is p + err exactly (fma), so half-way cases round to even exactly as printf does.
// The fma is a library call here, so it is left to the rare apparent ties.
std::int64_t fixed5Count(double value) {
    const double p = value * 100000.0;
    double rounded = roundHalfEven(p);
    const double offset = p - rounded;
    if (std::fabs(offset) == 0.5) {
        const double err = std::fma(value, 100000.0, -p);
        if (err != 0.0 && (err > 0) == (offset > 0)) rounded += offset > 0 ? 1.0 : -1.0;
    }
    return static_cast<std::int64_t>(rounded);
}

bool inFastRange(double value) { return std::fabs(value) < kFastFixedLimit; }

// The fixed text of a finite value past the fast range.
void writeSlowFixed5(std::string& out, double value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5);
    out.assign(buffer, result.ptr);
}

}  // namespace

void writeFixed5(std::string& out, double value) {
    if (!std::isfinite(value)) value = 0.0;
    // "%.5f" without printf, which dominates a capture run otherwise.
    if (inFastRange(value)) return writeScaled(out, fixed5Count(value), false);
    writeSlowFixed5(out, value);
}

std::string formatFixed5(double value) {
    std::string text;
    writeFixed5(text, value);
    return text;
}

std::string formatGeneral(double value) {
    if (!std::isfinite(value)) value = 0.0;
    if (value == 0.0) return "0";
    // Rounded to 15 digits, the largest doubles would read back past the largest double.
    if (std::fabs(value) >= 1.797693134862315e308) return value < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";
    // The same text as "%.15g", without printf.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    size_t e = text.find('e');
    std::string mantissa = e == std::string::npos ? text : text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    if (e == std::string::npos) return mantissa;
    // printf gives "e+16" / "e-05"; write "E+16" / "E-05".
    std::string exponent = text.substr(e + 1);
    char sign = exponent[0];
    std::string digits = exponent.substr(1);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}

std::optional<double> parseNumber(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

namespace {

// A text exactly as formatFixed5 writes it below 1e10 ("-12.34560"), as hundred-thousandths.
std::optional<std::int64_t> fixed5Scaled(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const size_t dot = text.size() >= 7 ? text.size() - 6 : 0;
    if (dot == 0 || dot > 10 || text[dot] != '.') return std::nullopt;
    std::int64_t scaled = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == dot) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        scaled = scaled * 10 + (text[i] - '0');
    }
    return negative ? -scaled : scaled;
}

// The sum of two counts as text without the double round trip, where it gives
// the same text: the exact sum has at most 15 digits, so the double sum (within
// a few units of 1e-16 of it, unless the two cancel) rounds back to it at 15
// significant digits. Small sums are left to the general path, which writes
// them in exponent form.
bool writeExactSum(std::string& out, std::int64_t a, std::int64_t b) {
    const std::int64_t sum = a + b;
    const std::int64_t magnitude = sum < 0 ? -sum : sum;
    // From 10^15 on the exact sum has more digits than the general text keeps.
    if (magnitude < 10 || magnitude >= 1000000000000000) return false;
    if ((a < 0 ? -a : a) + (b < 0 ? -b : b) > 3 * magnitude) return false;
    writeScaled(out, sum, true);
    return true;
}

// A count read from a text is exact, and so is its quotient by 1e5 as a double:
// the same double as reading the text.
double countValue(std::int64_t count) { return static_cast<double>(count) / 100000.0; }

}  // namespace

LimitSummand LimitSummand::ofText(std::string_view text) {
    LimitSummand summand;
    summand.count = fixed5Scaled(text);
    if (!summand.count) summand.number = parseNumber(text);
    return summand;
}

std::optional<double> LimitSummand::value() const { return count ? countValue(*count) : number; }

LimitSummand writeFixed5Summand(std::string& out, double value) {
    if (!std::isfinite(value)) value = 0.0;
    if (!inFastRange(value)) {
        writeSlowFixed5(out, value);
        return LimitSummand::ofText(out);
    }
    LimitSummand summand;
    summand.count = fixed5Count(value);
    writeScaled(out, *summand.count, false);
    return summand;
}

void writeLimitText(std::string& out, const LimitSummand& nominal, const LimitSummand& tolerance) {
    if (nominal.count && tolerance.count && writeExactSum(out, *nominal.count, *tolerance.count)) return;
    const auto a = nominal.value(), b = tolerance.value();
    if (!a || !b) return out.clear();
    out = formatGeneral(*a + *b);
}

std::string limitText(std::string_view nominal, std::string_view tolerance) {
    std::string text;
    writeLimitText(text, LimitSummand::ofText(nominal), LimitSummand::ofText(tolerance));
    return text;
}

}  // namespace kelmar::platform
