#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace measure {

// Room for the text of any std::tm, out-of-range fields included: each of the five numbers
// takes at most 11 characters with its sign, 62 characters in all and the terminator.
inline constexpr std::size_t kDateBufferSize = 64;

// Writes t as "YYYY/MM/DD H:MM" (hour without, minute with a leading zero) into buffer,
// which must hold kDateBufferSize characters, and returns buffer.
char* FormatDate(const std::tm& t, char* buffer);

// Shown for a write time that cannot be converted to a local date.
inline constexpr const char* kUnknownDateText = "----/--/-- --:--";

// The "Date" cell: the write time (seconds since the epoch) in local time. Safe to call
// from several threads at once.
std::string DateText(std::int64_t writeTime);

} // namespace measure
