#include "qdas/clock.h"

#include <ctime>

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
    std::string out;
    out.reserve(19);
    appendDigits(out, at.day, 2);
    out += '.';
    appendDigits(out, at.month, 2);
    out += '.';
    appendDigits(out, at.year, 4);
    out += '/';
    appendDigits(out, at.hour, 2);
    out += ':';
    appendDigits(out, at.minute, 2);
    out += ':';
    appendDigits(out, at.second, 2);
    return out;
}

std::string fileNameDate(const DateTime& at) {
    std::string out;
    appendDigits(out, at.year, 4);
    out += '-';
    appendDigits(out, at.month, 2);
    out += '-';
    appendDigits(out, at.day, 2);
    return out;
}

std::string fileNameTime(const DateTime& at) {
    std::string out;
    appendDigits(out, at.hour, 2);
    out += '-';
    appendDigits(out, at.minute, 2);
    out += '-';
    appendDigits(out, at.second, 2);
    return out;
}

std::string gmTimeStamp(const DateTime& at) {
    std::string out;
    for (int field : {at.month, at.day, at.hour, at.minute, at.second}) appendDigits(out, field, 2);
    return out;
}

}  // namespace kelmar::qdas
