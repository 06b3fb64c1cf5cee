#pragma once

#include <cstdint>

#include "platform/FileDescriptor.h"
#include "platform/FolderId.h"

namespace platform {

// What the listing needs of one entry, read without following a symbolic link.
struct EntryStatus {
    bool isFolder = false;      // a real directory; a link to one is not
    std::uint64_t size = 0;     // regular files and links; 0 for folders, devices, FIFOs, sockets
    std::int64_t writeTime = 0; // seconds since 1970-01-01 00:00 UTC
    std::uint32_t links = 0;    // 0 once a folder has been removed
    FolderId id;
};

// Status of `name` inside the open folder dirFd; false with errno set when it cannot be read.
bool StatEntry(int dirFd, const char* name, EntryStatus& status);

// Status of an open descriptor itself.
bool StatDescriptor(int fd, EntryStatus& status);

// Opens the real folder `name` inside dirFd for reading its entries. A symbolic link gives an
// invalid descriptor with errno ELOOP, a file ENOTDIR, a missing name ENOENT.
FileDescriptor OpenFolder(int dirFd, const char* name);

} // namespace platform
