#include "platform/DriveTable.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <vector>

#include "platform/FolderAncestry.h"

namespace platform {

namespace {

FileDescriptor OpenFolderAt(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

FileDescriptor DriveTable::OpenRoot(int drive) {
    const auto all = m_roots.Roots();
    auto root = all.find(drive);
    if (root == all.end()) {
        errno = ENOENT;
        return {};
    }
    return OpenFolderAt(root->second);
}

int DriveTable::DriveHolding(int fd) {
    const std::vector<FolderId> chain = AncestorsOf(fd);
    int holder = 0;
    auto nearest = std::numeric_limits<std::ptrdiff_t>::max();
    for (const auto& [drive, path] : m_roots.Roots()) {
        FileDescriptor root = OpenFolderAt(path);
        FolderId id;
        if (!root.Valid() || !IdentifyFolder(root.Get(), id)) {
            continue;
        }
        auto distance = std::find(chain.begin(), chain.end(), id) - chain.begin();
        if (distance < static_cast<std::ptrdiff_t>(chain.size()) && distance < nearest) {
            nearest = distance;
            holder = drive;
        }
    }
    return holder;
}

} // namespace platform
