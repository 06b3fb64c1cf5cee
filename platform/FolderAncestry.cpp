#include "platform/FolderAncestry.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/FileDescriptor.h"

namespace platform {

namespace {

bool Identify(int fd, FolderId& id, nlink_t& links) {
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        return false;
    }
    id = FolderId{st.st_dev, st.st_ino};
    links = st.st_nlink;
    return true;
}

} // namespace

bool IdentifyFolder(int fd, FolderId& id) {
    nlink_t links;
    return Identify(fd, id, links);
}

std::vector<FolderId> AncestorsOf(int fd) {
    std::vector<FolderId> chain;
    FileDescriptor folder(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    FolderId id;
    nlink_t links;
    // A removed folder has no links left; walking on from it would reach its old parent.
    while (folder.valid() && Identify(folder.get(), id, links) && links > 0) {
        if (!chain.empty() && chain.back() == id) {
            break; // the top is its own parent
        }
        chain.push_back(id);
        folder = FileDescriptor(::openat(folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    return chain;
}

bool IsWithin(int fd, const FolderId& ancestor) {
    const std::vector<FolderId> chain = AncestorsOf(fd);
    return std::find(chain.begin(), chain.end(), ancestor) != chain.end();
}

} // namespace platform
