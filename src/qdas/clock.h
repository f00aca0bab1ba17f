#pragma once
// The machine's date and time behind a port, so a test can fix the time stamps
// of the value block and of the file names.

#include <ctime>
#include <string>

namespace kelmar::qdas {

// Local date and time; month and day from 1, hours 0 to 23.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual DateTime now() const = 0;
};

// The machine's clock in local time.
class SystemClock final : public Clock {
public:
    DateTime now() const override;

private:
    // The local-time conversion costs more than a whole value group; within one second it is kept.
    mutable std::time_t lastSeconds_ = -1;
    mutable DateTime last_;
};

// "dd.mm.yyyy/hh:mm:ss", the K0004 value.
std::string qdasDateTime(const DateTime& at);
// "yyyy-mm-dd", the date part of a file name.
std::string fileNameDate(const DateTime& at);
// "hh-mm-ss", the time part of a file name.
std::string fileNameTime(const DateTime& at);
// "mmddhhmmss", the time stamp of the GM file name rule.
std::string gmTimeStamp(const DateTime& at);

}  // namespace kelmar::qdas
