#pragma once

#include <string_view>

namespace platform {

// The one rule for which names of a folder are its entries: every name but "." and "..", the
// folder's names for itself and its parent. A name beginning with "." is hidden only from a
// casual listing; its bytes fill the disk like any other, so it is listed, measured, shown in
// the tree and deleted with its folder.
inline bool IsSelfOrParent(std::string_view name) {
    return name == "." || name == "..";
}

} // namespace platform
