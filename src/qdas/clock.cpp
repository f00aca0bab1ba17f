#include "qdas/clock.h"

#include <ctime>
#include <initializer_list>
#include <utility>

namespace kelmar::qdas {
namespace {

// Appends value with at least width digits; out-of-range fields still give digits, never garbage.
void appendDigits(std::string& out, int field, int width) {
    long long value = field;
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char buffer[12];
    int length = 0;
    do {
        buffer[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && length < 11);
    for (int i = length; i < width; ++i) out += '0';
    while (length > 0) out += buffer[--length];
}

// Fields (value, width) written one after the other, separator between them ('\0' for none).
std::string dateTimeFields(std::initializer_list<std::pair<int, int>> fields, char separator) {
    std::string out;
    bool first = true;
    for (auto [value, width] : fields) {
        if (!first && separator != '\0') out += separator;
        first = false;
        appendDigits(out, value, width);
    }
    return out;
}

}  // namespace

DateTime SystemClock::now() const {
    std::time_t seconds = std::time(nullptr);
    if (seconds == lastSeconds_) return last_;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    lastSeconds_ = seconds;
    last_ = DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return last_;
}

std::string qdasDateTime(const DateTime& at) {
    return dateTimeFields({{at.day, 2}, {at.month, 2}, {at.year, 4}}, '.') + '/' +
           dateTimeFields({{at.hour, 2}, {at.minute, 2}, {at.second, 2}}, ':');
}

std::string fileNameDate(const DateTime& at) { return dateTimeFields({{at.year, 4}, {at.month, 2}, {at.day, 2}}, '-'); }

std::string fileNameTime(const DateTime& at) {
    return dateTimeFields({{at.hour, 2}, {at.minute, 2}, {at.second, 2}}, '-');
}

std::string gmTimeStamp(const DateTime& at) {
    return dateTimeFields({{at.month, 2}, {at.day, 2}, {at.hour, 2}, {at.minute, 2}, {at.second, 2}}, '\0');
}

}  // namespace kelmar::qdas
