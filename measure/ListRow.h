#pragma once

#include <cstdint>
#include <string_view>

namespace measure {

// One row of the contents list, kept small: a folder of a million entries is a million rows.
// Only the numbers are kept; the cell texts are made from them when a row is shown.
struct ListRow {
    std::string_view name; // exact bytes, kept by the row store; never the display text
    std::uint64_t size = 0;
    std::int64_t writeTime = 0; // the entry's own, for the "Date" cell
    std::int32_t itemData = -1; // folder ordinal, -1 for a file
    std::uint8_t image = 0;
};

} // namespace measure
