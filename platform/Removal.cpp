#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/EntryStatus.h"
#include "platform/FolderCalls.h"

namespace platform {

namespace {

enum class Kind { File, Folder };

// Read-only entries are refused by their owner's write bit, as the read-only attribute is, so
// root is refused too; a link has no such bit of its own. `expected`, when given, is the folder
// the name must still be.
int Remove(int dirFd, const std::string& name, Kind kind, const FolderId* expected = nullptr) {
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return -1;
    }
    EntryStatus now;
    int refusal = 0;
    if (expected && (!StatEntry(dirFd, name.c_str(), now) || !(now.id == *expected))) {
        refusal = ESTALE; // moved or replaced since it was emptied
    } else if (kind == Kind::File && S_ISDIR(st.st_mode)) {
        refusal = EISDIR;
    } else if (kind == Kind::Folder && !S_ISDIR(st.st_mode)) {
        refusal = ENOTDIR;
    } else if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        refusal = EACCES;
    }
    if (refusal != 0) {
        errno = refusal;
        return -1;
    }
    return ::unlinkat(dirFd, name.c_str(), kind == Kind::Folder ? AT_REMOVEDIR : 0);
}

} // namespace

const FolderCalls& FolderCalls::System() {
    static const FolderCalls calls;
    return calls;
}

FileDescriptor FolderCalls::OpenFolder(int dirFd, const char* name) const {
    return platform::OpenFolder(dirFd, name);
}

int FolderCalls::RemoveFile(int dirFd, const std::string& name) const {
    return Remove(dirFd, name, Kind::File);
}

int FolderCalls::RemoveFolder(int dirFd, const std::string& name, const FolderId& expected) const {
    return Remove(dirFd, name, Kind::Folder, &expected);
}

} // namespace platform
