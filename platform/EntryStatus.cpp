#include "platform/EntryStatus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform {

namespace {

constexpr unsigned kStatusMask =
    STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_INO | STATX_NLINK | STATX_MNT_ID;

bool Stat(int dirFd, const char* name, int flags, EntryStatus& status) {
    struct statx st;
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW, kStatusMask, &st) != 0) {
        return false;
    }
    status.isFolder = S_ISDIR(st.stx_mode);
    status.size = (S_ISREG(st.stx_mode) || S_ISLNK(st.stx_mode)) ? st.stx_size : 0;
    status.writeTime = st.stx_mtime.tv_sec;
    status.links = st.stx_nlink;
    status.id.device = makedev(st.stx_dev_major, st.stx_dev_minor);
    status.id.inode = st.stx_ino;
    status.id.mount = (st.stx_mask & STATX_MNT_ID) != 0 ? st.stx_mnt_id : 0;
    return true;
}

} // namespace

bool StatEntry(int dirFd, const char* name, EntryStatus& status) {
    return Stat(dirFd, name, 0, status);
}

bool StatDescriptor(int fd, EntryStatus& status) {
    return Stat(fd, "", AT_EMPTY_PATH, status);
}

bool IdentifyFolder(int fd, FolderId& id) {
    EntryStatus status;
    if (!StatDescriptor(fd, status)) {
        return false;
    }
    id = status.id;
    return true;
}

FileDescriptor OpenFolder(int dirFd, const char* name) {
    return FileDescriptor(
        ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
}

} // namespace platform
