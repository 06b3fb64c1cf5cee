#pragma once

#include <functional>

namespace platform {

// Test seam: runs before every OpenFolder. Returning an errno value makes that open fail with
// it, 0 lets it go ahead. Tests run as root, where permission bits cannot make a folder
// unreadable, and use the hook to stage races at an exact point of a walk.
using FolderOpenHook = std::function<int(int dirFd, const char* name)>;

void SetFolderOpenHook(FolderOpenHook hook);

} // namespace platform
