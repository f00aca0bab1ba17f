#pragma once
// The two number texts of the Q-DAS output, and reading them back.
// The decimal separator is "." everywhere.

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
// The same text written into out; out must not be one of the two texts.
void writeLimitText(std::string& out, std::string_view nominal, std::string_view tolerance);

}  // namespace kelmar::platform
