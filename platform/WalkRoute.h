#pragma once

#include <string>
#include <vector>

#include "platform/FolderId.h"

namespace platform {

// The way to a folder a walk has reached, from a folder that stays open while the walk lasts
// (its root): the names from the root down, and the identity of the root and of every folder on
// the way, so that a name that leads somewhere else by now is noticed rather than followed.
struct WalkRoute {
    std::vector<std::string> names;
    std::vector<FolderId> ids; // ids[0]: the root; ids[i + 1]: the folder names[i] leads to
};

} // namespace platform
