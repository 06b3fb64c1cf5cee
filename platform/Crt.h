#pragma once

#include <cstdint>
#include <string>

#include "platform/FindData.h"

// The drive, directory and deletion calls the application is written against, with the C
// runtime's results: 0 for success, -1 (or an error number where said) with errno set.
namespace platform {

// Enumeration of every entry of the working directory, "." and ".." and hidden names included.
// Safe on any thread; each handle is used by one thread at a time and closed once.
// -1 when the folder yields nothing (errno ENOENT when it is empty or gone).
std::intptr_t _findfirst(FindData& entry);
// 0, or -1 at the end.
int _findnext(std::intptr_t handle, FindData& entry);
int _findclose(std::intptr_t handle);

// Drives are numbered 1 to 26 ("[A:]" to "[Z:]"); "/" is drive 3. The calls below keep the
// current drive and each drive's last folder, and belong to the user-interface thread.

// The current drive; 0 when the working directory lies on none of them.
int _getdrive();

// Makes `drive` current and returns to the folder last current on it, or to its root when
// there is none or it has gone. On failure nothing changes.
int _chdrive(int drive);

// "\\" goes to the current drive's root. ".." goes to the parent folder, except at the current
// drive's root, where it succeeds and stays. Any other name is one or more components separated
// by "/", relative to the working directory, of any bytes and any length; a symbolic link is
// never entered (ENOTDIR). A folder literally named "\" is entered as "./\\". On failure the
// working directory is unchanged.
int _chdir(const std::string& name);

struct _diskfree_t {
    std::uint64_t total_clusters = 0;
    std::uint64_t avail_clusters = 0;
    std::uint64_t sectors_per_cluster = 0;
    std::uint64_t bytes_per_sector = 0;
};

// Size and free space of the volume holding the folder current on `drive` (0: the current
// drive), so a volume mounted below the drive's root and entered shows its own figures.
// Returns 0 or the error number.
int _getdiskfree(int drive, _diskfree_t& figures);

} // namespace platform
