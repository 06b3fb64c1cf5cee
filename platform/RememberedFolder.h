#pragma once

#include <string>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderAncestry.h"

namespace platform {

// A folder remembered without being held open, so that its volume can still be unmounted: the
// names from a drive's root down to it, and its identity.
struct RememberedFolder {
    std::vector<std::string> names;
    FolderId id;

    // The working directory, found below the folder `root` by walking up through "..". False
    // when it does not lie below root or a step cannot be read.
    bool RememberWorkingDirectory(const FolderId& root);
    // The same for the folder open as `folderFd`.
    bool RememberFolder(int folderFd, const FolderId& root);
    // The folder opened again from the drive's root by its names, never through a link; invalid
    // when it is gone or another folder has taken its place.
    FileDescriptor Reopen(int rootFd) const;
};

} // namespace platform
