#pragma once

#include <ctime>

namespace testsupport {

// A local date and time by its parts.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second = 0) {
    // In the order of the C library's fields; whether daylight saving applies is left to it.
    return std::tm{second, minute, hour, day, month - 1, year - 1900, 0, 0, -1, 0, nullptr};
}

} // namespace testsupport
