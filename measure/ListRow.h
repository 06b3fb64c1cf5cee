#pragma once

#include <cstdint>
#include <string>

namespace measure {

// One row of the contents list. The numbers are kept beside the cell texts so that reading a
// size back never parses a text; "Size" and "Size(Byte)" are made from them on demand.
struct ListRow {
    std::string name; // exact bytes; used for opening and deleting, never the display text
    std::uint64_t size = 0;
    std::uint64_t kb = 0;
    std::string dateText;
    std::string ratioText; // empty until the ratios are written after the scan
    int image = 0;
    std::int32_t itemData = -1; // folder ordinal, -1 for a file
};

} // namespace measure
