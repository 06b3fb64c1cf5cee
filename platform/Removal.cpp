#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Crt.h"
#include "platform/RemovalSeam.h"
#include "platform/RemoveAt.h"

namespace platform {

namespace {

RemovalFailure& InjectedFailure() {
    static RemovalFailure failure;
    return failure;
}

enum class Kind { File, Folder };

// Read-only entries are refused by their owner's write bit, as the read-only attribute is, so
// root is refused too; a link has no such bit of its own.
int Remove(int dirFd, const std::string& name, Kind kind) {
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return -1;
    }
    int refusal = 0;
    if (kind == Kind::File && S_ISDIR(st.st_mode)) {
        refusal = EISDIR;
    } else if (kind == Kind::Folder && !S_ISDIR(st.st_mode)) {
        refusal = ENOTDIR;
    } else if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        refusal = EACCES;
    } else if (InjectedFailure()) {
        refusal = InjectedFailure()(name);
    }
    if (refusal != 0) {
        errno = refusal;
        return -1;
    }
    return ::unlinkat(dirFd, name.c_str(), kind == Kind::Folder ? AT_REMOVEDIR : 0);
}

} // namespace

void SetRemovalFailure(RemovalFailure failure) {
    InjectedFailure() = std::move(failure);
}

int remove(const std::string& name) {
    return Remove(AT_FDCWD, name, Kind::File);
}

int _rmdir(const std::string& name) {
    return Remove(AT_FDCWD, name, Kind::Folder);
}

int RemoveFileAt(int dirFd, const std::string& name) {
    return Remove(dirFd, name, Kind::File);
}

int RemoveFolderAt(int dirFd, const std::string& name) {
    return Remove(dirFd, name, Kind::Folder);
}

} // namespace platform
