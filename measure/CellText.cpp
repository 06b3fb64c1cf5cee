#include "measure/CellText.h"

#include <charconv>
#include <cmath>

namespace measure {

namespace {

// The first two decimals of a fraction in [0, 1), truncated, taken from its exact binary
// value. Multiplying by 100 in double would round and could tip a value just below a half
// over it.
unsigned TruncatedHundredths(double fraction) {
    int exponent = 0;
    const double mantissa = std::frexp(fraction, &exponent);
    const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    const int shift = 53 - exponent; // at least 53, since fraction < 1
    return shift >= 64 ? 0 : static_cast<unsigned>((bits * 100) >> shift);
}

// Digits of a whole-valued double, exact even beyond 64 bits (a share far above 100 %).
std::string WholeDigits(double whole) {
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    return std::string(digits, result.ptr);
}

} // namespace

std::uint64_t KilobytesOf(std::uint64_t bytes) {
    return bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
}

std::string SizeText(std::uint64_t kb) {
    return std::to_string(kb) + " KB";
}

std::string ByteText(std::uint64_t bytes) {
    return std::to_string(bytes);
}

std::string RatioText(std::uint64_t v, std::uint64_t total) {
    // A zero total with a non-zero v would need a 64-bit sum to wrap, which real sizes never
    // do; show no share rather than divide by zero.
    if (total == 0) {
        return "0.0 %";
    }
    const double percent = static_cast<double>(v) / static_cast<double>(total) * 100.0;
    double whole = 0.0;
    const unsigned hundredths = TruncatedHundredths(std::modf(percent, &whole));
    // Exact halves go up, not to even as printf would round them.
    unsigned tenths = hundredths / 10 + (hundredths % 10 >= 5 ? 1 : 0);
    if (tenths == 10) {
        whole += 1.0; // exact: a double with a fraction is far below 2^53
        tenths = 0;
    }
    return WholeDigits(whole) + '.' + static_cast<char>('0' + tenths) + " %";
}

} // namespace measure
