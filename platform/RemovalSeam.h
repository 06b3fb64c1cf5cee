#pragma once

#include <functional>
#include <string>

namespace platform {

// Lets tests make a removal fail as a locked file or a write-protected disk would, which
// permission bits cannot do for a process running as root. Given the name about to be removed,
// returns 0 to let the removal go ahead or the errno it fails with. An empty function clears it.
using RemovalFailure = std::function<int(const std::string& name)>;
void SetRemovalFailure(RemovalFailure failure);

} // namespace platform
