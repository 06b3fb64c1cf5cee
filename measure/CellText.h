#pragma once

#include <cstdint>
#include <string>

namespace measure {

// Bytes divided by 1024, rounded up: a 1-byte file counts as 1 KB.
std::uint64_t KilobytesOf(std::uint64_t bytes);

// The "Size" cell: "<kb> KB". Its leading digits read back as the KB figure.
std::string SizeText(std::uint64_t kb);

// The "Size(Byte)" cell: plain decimal digits that read back as the byte size.
std::string ByteText(std::uint64_t bytes);

// The "Ratio" cell: v's share of total in per cent, one decimal, then " %". Worked out from
// the exact sizes, so every exact half rounds up (39 of 2000 bytes is "2.0 %").
std::string RatioText(std::uint64_t v, std::uint64_t total);

} // namespace measure
