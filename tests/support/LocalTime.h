#pragma once

#include <ctime>

namespace testsupport {

// A local date and time by its parts; whether daylight saving applies is left to the C library.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second = 0) {
    return std::tm{.tm_sec = second,
                   .tm_min = minute,
                   .tm_hour = hour,
                   .tm_mday = day,
                   .tm_mon = month - 1,
                   .tm_year = year - 1900,
                   .tm_isdst = -1};
}

} // namespace testsupport
