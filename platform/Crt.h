#pragma once

#include <cstdint>
#include <string>

#include "platform/FindData.h"

// The enumeration calls the application is written against, with the C runtime's results: a
// handle or 0 for success, -1 with errno set. The drive calls are those of Drives.
namespace platform {

// Enumeration of every entry of the working directory, "." and ".." and hidden names included.
// Safe on any thread; each handle is used by one thread at a time and closed once.
// -1 when the folder yields nothing (errno ENOENT when it is empty or gone).
std::intptr_t _findfirst(FindData& entry);
// 0, or -1 at the end.
int _findnext(std::intptr_t handle, FindData& entry);
int _findclose(std::intptr_t handle);

// A volume's size and free space, as Drives::_getdiskfree reports them.
struct _diskfree_t {
    std::uint64_t total_clusters = 0;
    std::uint64_t avail_clusters = 0;
    std::uint64_t sectors_per_cluster = 0;
    std::uint64_t bytes_per_sector = 0;
};

} // namespace platform
