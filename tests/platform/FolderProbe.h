#pragma once

#include <string>

#include "platform/FolderId.h"

namespace vorn_test {

// Which folder a path leads to now; a default id when it leads nowhere.
platform::FolderId IdOf(const std::string& path);
platform::FolderId IdOfHere();

} // namespace vorn_test
