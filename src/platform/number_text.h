#pragma once
// The two number texts of the Q-DAS output, and reading them back.
// The decimal separator is "." everywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmar::platform {

// "######0.00000": five decimals, at least one integer digit, no grouping.
std::string formatFixed5(double value);
// The same text written into out, reusing its storage: capture writes eight per characteristic.
void writeFixed5(std::string& out, double value);

// The general text of a double: at most 15 significant digits, no trailing
// zeros, exponent form ("1E+16", "1E-05") only where plain digits would not do.
std::string formatGeneral(double value);

// Reads a number text as written by the helpers above (blanks around it allowed).
std::optional<double> parseNumber(std::string_view text);

// The limit text of a nominal and a tolerance given as formatted texts:
// both read back as numbers, the sum written by formatGeneral. Empty when a
// text is not a number.
std::string limitText(std::string_view nominal, std::string_view tolerance);

// A nominal or tolerance as its fixed text reads back, for the limit sums. It
// holds the text's count of hundred-thousandths where the text has one, so
// that a value need not be written and read back to be summed.
struct LimitSummand {
    std::optional<std::int64_t> count;
    // The number read from a text that has no count; nothing when it is not a number.
    std::optional<double> number;

    static LimitSummand ofText(std::string_view text);
    // The number the text reads as.
    std::optional<double> value() const;
};

// writeFixed5, with the value as the limit summand of the text written.
LimitSummand writeFixed5Summand(std::string& out, double value);

// limitText of two summands, written into out.
void writeLimitText(std::string& out, const LimitSummand& nominal, const LimitSummand& tolerance);

}  // namespace kelmar::platform
