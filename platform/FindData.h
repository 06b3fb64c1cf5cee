#pragma once

#include <cstdint>
#include <string>

namespace platform {

// One entry of a folder as the enumeration reports it.
struct FindData {
    std::string name;       // the exact bytes the file system stores, never re-encoded
    bool isFolder = false;  // a real directory; a symbolic link never is, whatever it points to
    std::uint64_t size = 0; // files and links: their own size; folders, FIFOs, sockets, devices: 0
    std::int64_t writeTime = 0; // seconds since 1970-01-01 00:00 UTC
};

} // namespace platform
