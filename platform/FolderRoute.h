#pragma once

#include <string>
#include <vector>

namespace platform {

class DriveTable;

// How a folder is reached one step at a time: its drive, then the names of the folders from
// that drive's root down to it, none for the root itself.
struct FolderRoute {
    int drive = 0;
    std::vector<std::string> names;
};

// The route to the folder that `path` names. A relative path is taken from the working
// directory, and the links in it are followed here, once, as the system follows them: the names
// of the route are real folders, which later steps enter without following anything. False when
// `path` names no folder, or a folder that lies on no drive or below a folder that cannot be
// read, in `table`. User-interface thread only.
bool FindFolderRoute(DriveTable& table, const std::string& path, FolderRoute& route);

} // namespace platform
