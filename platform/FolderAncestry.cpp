#include "platform/FolderAncestry.h"

#include <fcntl.h>

#include <algorithm>

#include "platform/EntryStatus.h"

namespace platform {

std::vector<FolderId> AncestorsOf(int fd) {
    std::vector<FolderId> chain;
    FileDescriptor folder(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    EntryStatus status;
    // A removed folder has no links left; walking on from it would reach its old parent.
    while (folder.Valid() && StatDescriptor(folder.Get(), status) && status.links > 0) {
        if (!chain.empty() && chain.back() == status.id) {
            break; // the top is its own parent
        }
        chain.push_back(status.id);
        folder = FileDescriptor(::openat(folder.Get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    return chain;
}

bool IsWithin(int fd, const FolderId& ancestor) {
    const std::vector<FolderId> chain = AncestorsOf(fd);
    return std::find(chain.begin(), chain.end(), ancestor) != chain.end();
}

} // namespace platform
