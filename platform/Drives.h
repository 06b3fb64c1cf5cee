#pragma once

#include <memory>
#include <string>

#include "platform/Crt.h"
#include "platform/CurrentDrive.h"
#include "platform/DriveRoots.h"
#include "platform/DriveTable.h"
#include "platform/FolderRoute.h"

namespace platform {

// The drives the application sees, the current drive and each drive's last folder: the drive and
// directory calls of the C runtime, on one object that the application makes once and hands to
// the panes that use them. Results as the C runtime's: 0 for success, -1 (or an error number
// where said) with errno set. User-interface thread only.
class Drives {
public:
    // The system's volumes.
    Drives();
    // The drives that `roots` names, which must outlive this object.
    explicit Drives(DriveRoots& roots);
    Drives(const Drives&) = delete;
    Drives& operator=(const Drives&) = delete;

    // The current drive; 0 when the working directory lies on none of them.
    int _getdrive();

    // Makes `drive` current and returns to the folder last current on it, or to its root when
    // there is none or it has gone. On failure nothing changes.
    int _chdrive(int drive);

    // "\\" goes to the current drive's root. ".." goes to the parent folder, except at the
    // current drive's root, where it succeeds and stays. Any other name is one or more
    // components separated by "/", relative to the working directory, of any bytes and any
    // length; a symbolic link is never entered (ENOTDIR). A folder literally named "\" is entered
    // as "./\\". On failure the working directory is unchanged.
    int _chdir(const std::string& name);

    // Size and free space of the volume holding the folder current on `drive` (0: the current
    // drive), so a volume mounted below the drive's root and entered shows its own figures.
    // Returns 0 or the error number.
    int _getdiskfree(int drive, _diskfree_t& figures);

    // See FindFolderRoute.
    bool FindRoute(const std::string& path, FolderRoute& route);

private:
    std::unique_ptr<DriveRoots> m_systemVolumes; // when no other roots are given
    DriveTable m_table;
    CurrentDrive m_current;
};

} // namespace platform
