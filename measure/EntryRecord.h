#pragma once

#include <cstdint>
#include <string_view>

namespace measure {

// One listed entry of the current folder, as the scan hands it to the list.
struct EntryRecord {
    std::string_view name; // the exact bytes the file system stores
    bool isFolder = false;
    std::uint64_t size = 0;     // a folder's recursive size
    std::int64_t writeTime = 0; // the entry's own last-write time
    std::int32_t ordinal = -1;  // a folder's number among the listed folders; -1 for a file
};

} // namespace measure
