#pragma once

#include <vector>

#include "platform/FolderId.h"

namespace platform {

// The folder open as fd, then each parent up to the top of the file system, crossing mounts.
// Stops early at a folder that has been removed: such a folder can no longer be reached.
std::vector<FolderId> AncestorsOf(int fd);

// Whether `ancestor` is the folder open as fd or lies above it, fd's folder still existing.
bool IsWithin(int fd, const FolderId& ancestor);

} // namespace platform
