#pragma once

#include <sys/types.h>

#include <cstdint>

namespace platform {

// What makes a folder the same folder whatever path leads to it, and the mount it was reached
// through: a mount point differs from its surroundings by its mount even where the same file
// system is mounted again.
struct FolderId {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t mount = 0; // 0 where the system does not say
    bool operator==(const FolderId&) const = default;

    bool SameMount(const FolderId& other) const {
        return device == other.device && mount == other.mount;
    }
};

// The identity of what fd is open on; false with errno set when it cannot be read.
bool IdentifyFolder(int fd, FolderId& id);

} // namespace platform
