#include "FolderProbe.h"

#include <fcntl.h>

#include "platform/EntryStatus.h"

namespace vorn_test {

platform::FolderId IdOf(const std::string& path) {
    platform::EntryStatus status;
    return platform::StatEntry(AT_FDCWD, path.c_str(), status) ? status.id : platform::FolderId{};
}

platform::FolderId IdOfHere() {
    return IdOf(".");
}

} // namespace vorn_test
