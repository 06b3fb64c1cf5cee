#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace measure {

// One entry of a listing, with its status once read.
struct ListedEntry {
    std::uint32_t nameAt = 0;
    std::uint32_t nameLength = 0;
    bool inLine = false; // a folder, put in line to be measured: its size comes from NextSize
    bool listed = false; // its status was read: it is still there
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;
};

// Entries of a listing read one after another, in the order the file system lists them, "." and
// ".." left out.
struct ListedBatch {
    std::string names; // packed, NUL-terminated each
    std::vector<ListedEntry> entries;
    bool statusRead = false;
    bool complete = true; // false when a status could not be read though the entry was there

    std::string_view Name(const ListedEntry& entry) const {
        return {names.data() + entry.nameAt, entry.nameLength};
    }
};

} // namespace measure
