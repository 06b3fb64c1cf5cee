#pragma once

#include <map>
#include <string>

#include "platform/DriveNumbering.h"
#include "platform/FileDescriptor.h"

namespace platform {

// Which folder is the root of each drive number. Normally the system's volumes, re-read at
// each question so that media come and go; tests put temporary folders in their place.
class DriveTable {
public:
    static DriveTable& instance();

    // The root folder of `drive` as it is now; invalid with errno set when the drive stands for
    // no volume (ENOENT) or its root is not a folder.
    FileDescriptor openRoot(int drive);

    // The drive whose root is the nearest ancestor of the folder open as fd; 0 when none is.
    int driveHolding(int fd);

    void useRoots(const std::map<int, std::string>& rootsByDrive);
    void useSystemVolumes();

private:
    DriveTable() = default;
    const std::map<int, std::string>& roots();

    bool m_fixedRoots = false;
    std::map<int, std::string> m_roots;
    DriveNumbering m_numbering;
};

} // namespace platform
