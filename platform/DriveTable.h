#pragma once

#include "platform/DriveRoots.h"
#include "platform/FileDescriptor.h"

namespace platform {

// Opens drives' roots, and finds the drive a folder lies on.
class DriveTable {
public:
    explicit DriveTable(DriveRoots& roots) : m_roots(roots) {}

    // The root folder of `drive` as it is now; invalid with errno set when the drive stands for
    // no volume (ENOENT) or its root is not a folder.
    FileDescriptor OpenRoot(int drive);

    // The drive whose root is the nearest ancestor of the folder open as fd; 0 when none is.
    int DriveHolding(int fd);

private:
    DriveRoots& m_roots;
};

} // namespace platform
