#include "platform/EntryStatus.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/FolderOpenSeam.h"

namespace platform {

namespace {

FolderOpenHook& OpenHook() {
    static FolderOpenHook hook;
    return hook;
}

void FromStat(const struct stat& st, EntryStatus& status) {
    status.isFolder = S_ISDIR(st.st_mode);
    status.size =
        (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) ? static_cast<std::uint64_t>(st.st_size) : 0;
    status.writeTime = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    status.device = st.st_dev;
    status.inode = st.st_ino;
}

} // namespace

bool StatEntry(int dirFd, const char* name, EntryStatus& status) {
    struct stat st;
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    FromStat(st, status);
    return true;
}

bool StatDescriptor(int fd, EntryStatus& status) {
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        return false;
    }
    FromStat(st, status);
    return true;
}

void SetFolderOpenHook(FolderOpenHook hook) {
    OpenHook() = std::move(hook);
}

FileDescriptor OpenFolder(int dirFd, const char* name) {
    if (const FolderOpenHook& hook = OpenHook()) {
        if (int error = hook(dirFd, name)) {
            errno = error;
            return FileDescriptor();
        }
    }
    return FileDescriptor(
        ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
}

} // namespace platform
