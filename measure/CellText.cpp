#include "measure/CellText.h"

namespace measure {

namespace {

// Wide enough for a 64-bit size times 2000 and for twice a 64-bit total.
__extension__ typedef unsigned __int128 WideCount;

// Decimal digits of a wide count: a share far above 100 % needs more than 64 bits.
std::string WideDigits(WideCount value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
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
    // Tenths of a per cent, v * 1000 / total plus a half, from the exact integers: a double
    // quotient lands a hair below many exact halves and would round them down.
    const WideCount tenths = (WideCount{v} * 2000 + total) / (WideCount{total} * 2);
    return WideDigits(tenths / 10) + '.' + static_cast<char>('0' + static_cast<int>(tenths % 10)) +
           " %";
}

} // namespace measure
