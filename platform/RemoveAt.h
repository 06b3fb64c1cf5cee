#pragma once

#include <string>

namespace platform {

// remove and _rmdir (Crt.h) for an entry of the open folder dirFd rather than of the working
// directory, with the same refusals, read-only entries included, and the same failure seam.
int RemoveFileAt(int dirFd, const std::string& name);
int RemoveFolderAt(int dirFd, const std::string& name);

} // namespace platform
