#pragma once

#include <ctime>

namespace testsupport {

// A local date and time by its parts; whether daylight saving applies is left to the C library.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm time{};
    time.tm_sec = second;
    time.tm_min = minute;
    time.tm_hour = hour;
    time.tm_mday = day;
    time.tm_mon = month - 1;
    time.tm_year = year - 1900;
    time.tm_isdst = -1;
    return time;
}

} // namespace testsupport
