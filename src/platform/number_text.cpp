#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kelmar::platform {

std::string formatFixed5(double value) {
    if (!std::isfinite(value)) value = 0.0;
    char buffer[400];
    int n = std::snprintf(buffer, sizeof buffer, "%.5f", value);
    std::string text(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    // A value that rounds to zero is written without a sign.
    if (text == "-0.00000") text = "0.00000";
    return text;
}

std::string formatGeneral(double value) {
    if (!std::isfinite(value)) value = 0.0;
    if (value == 0.0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
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

std::string limitText(std::string_view nominal, std::string_view tolerance) {
    auto nom = parseNumber(nominal);
    auto tol = parseNumber(tolerance);
    if (!nom || !tol) return {};
    return formatGeneral(*nom + *tol);
}

}  // namespace kelmar::platform
