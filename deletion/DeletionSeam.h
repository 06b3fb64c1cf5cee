#pragma once

#include <functional>
#include <string>

namespace deletion {

// Test seam: runs just before the folder walk removes the entry `name` of the open folder
// dirFd, and for a folder before it checks that the name still refers to the folder emptied,
// so tests can stage a rename or a swap at that exact point. An empty function clears it.
using BeforeRemovalHook = std::function<void(int dirFd, const std::string& name)>;
void SetBeforeRemovalHook(BeforeRemovalHook hook);

} // namespace deletion
