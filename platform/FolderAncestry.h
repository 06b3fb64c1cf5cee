#pragma once

#include <sys/types.h>

#include <vector>

namespace platform {

// What makes a folder the same folder whatever path leads to it.
struct FolderId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderId&) const = default;
};

// False with errno set when fd cannot be read.
bool IdentifyFolder(int fd, FolderId& id);

// The folder open as fd, then each parent up to the top of the file system, crossing mounts.
// Stops early at a folder that has been removed: such a folder can no longer be reached.
std::vector<FolderId> AncestorsOf(int fd);

// Whether `ancestor` is the folder open as fd or lies above it, fd's folder still existing.
bool IsWithin(int fd, const FolderId& ancestor);

} // namespace platform
