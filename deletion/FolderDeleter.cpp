#include "deletion/FolderDeleter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionSeam.h"
#include "platform/DirectoryReader.h"
#include "platform/EntryStatus.h"
#include "platform/RemoveAt.h"

namespace deletion {

namespace {

// Descriptors the walk keeps open on its way down; folders above them are reopened through
// ".." when the walk comes back, so a tree of any depth needs no more than this many.
constexpr std::size_t kOpenWindow = 64;

// The working directory and folders reopened on the way back have been listed already, or need
// not be: names are only looked up and removed in them, which takes no read permission.
constexpr int kLookupFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

BeforeRemovalHook& BeforeRemoval() {
    static BeforeRemovalHook hook;
    return hook;
}

void RunBeforeRemoval(int folderFd, const std::string& name) {
    if (const BeforeRemovalHook& hook = BeforeRemoval()) {
        hook(folderFd, name);
    }
}

// A name of the working directory itself: never ".", "..", nor a path through other folders.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

void SetBeforeRemovalHook(BeforeRemovalHook hook) {
    BeforeRemoval() = std::move(hook);
}

int FolderDeleter::DeleteFolderRecursive(const std::string& name) {
    int error = Start(name);
    while (error == 0) {
        Frame& top = m_stack.back();
        if (top.next < top.entries.size()) {
            // A copy: entering a folder grows the stack that holds the entry.
            error = Handle(Entry(top.entries[top.next++]));
        } else if (m_stack.size() == 1) {
            break;
        } else {
            error = Leave();
        }
    }
    m_stack.clear();
    if (error != 0) {
        errno = error;
        return -1;
    }
    return 0;
}

int FolderDeleter::Start(const std::string& name) {
    m_stack.clear();
    if (!IsPlainName(name)) {
        return FolderFailure(name, EINVAL);
    }
    Frame here;
    here.fd.reset(::open(".", kLookupFlags));
    if (!here.fd.valid() || !Identify(here.fd.get(), here.id, m_mount)) {
        return FolderFailure(name, errno);
    }
    here.entries.push_back(Entry{name, true});
    m_stack.push_back(std::move(here));
    return 0;
}

namespace {

bool IsLink(int folderFd, const std::string& name) {
    struct stat status {};
    return ::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(status.st_mode);
}

} // namespace

int FolderDeleter::Handle(const Entry& entry) {
    int folderFd = m_stack.back().fd.get();
    if (!entry.isFolder) {
        return RemoveFile(folderFd, entry.name);
    }
    platform::FileDescriptor fd = platform::OpenFolder(folderFd, entry.name.c_str());
    if (fd.valid()) {
        return Enter(std::move(fd), entry.name);
    }
    int error = errno;
    // A link is removed as a link wherever it stands. A file in a folder's place is part of the
    // chosen folder's contents beneath it, but the chosen folder itself is never a file.
    const bool chosen = m_stack.size() == 1;
    if (error == ELOOP || (error == ENOTDIR && (!chosen || IsLink(folderFd, entry.name)))) {
        return RemoveFile(folderFd, entry.name);
    }
    if (error == ENOENT) {
        return error; // the caller tells that the chosen folder cannot be found
    }
    return FolderFailure(entry.name, error);
}

int FolderDeleter::RemoveFile(int folderFd, const std::string& name) {
    RunBeforeRemoval(folderFd, name);
    if (platform::RemoveFileAt(folderFd, name) == 0) {
        return 0;
    }
    int error = errno;
    m_notices.FileDeleteError(name);
    return error;
}

int FolderDeleter::Enter(platform::FileDescriptor fd, const std::string& name) {
    Frame frame;
    MountId mount;
    if (!Identify(fd.get(), frame.id, mount)) {
        return FolderFailure(name, errno);
    }
    if (!(mount == m_mount)) {
        // Another mount is left untouched. The folder holding it cannot be removed and reports
        // that itself, unless the chosen folder is the mount point.
        return m_stack.size() == 1 ? FolderFailure(name, EBUSY) : 0;
    }
    if (int error = List(fd.get(), frame.entries)) {
        return FolderFailure(name, error);
    }
    frame.fd = std::move(fd);
    m_stack.push_back(std::move(frame));
    if (m_stack.size() > kOpenWindow) {
        m_stack[m_stack.size() - 1 - kOpenWindow].fd.reset();
    }
    return 0;
}

int FolderDeleter::Leave() {
    Frame done = std::move(m_stack.back());
    m_stack.pop_back();
    Frame& parent = m_stack.back();
    const std::string& name = parent.entries[parent.next - 1].name;
    if (!parent.fd.valid()) {
        // Back above the open window: the emptied folder must still lie in the folder the walk
        // came down through, or its name there no longer refers to it.
        parent.fd.reset(::openat(done.fd.get(), "..", kLookupFlags));
        platform::FolderId id;
        if (!parent.fd.valid() || !platform::IdentifyFolder(parent.fd.get(), id) ||
            !(id == parent.id)) {
            return FolderFailure(name, ESTALE);
        }
    }
    done.fd.reset();
    RunBeforeRemoval(parent.fd.get(), name);
    platform::EntryStatus now;
    if (!platform::StatEntry(parent.fd.get(), name.c_str(), now) ||
        !(platform::FolderId{now.device, now.inode} == done.id)) {
        return FolderFailure(name, ESTALE); // moved or replaced while it was being emptied
    }
    if (platform::RemoveFolderAt(parent.fd.get(), name) != 0) {
        return FolderFailure(name, errno);
    }
    return 0;
}

int FolderDeleter::FolderFailure(const std::string& name, int error) {
    m_notices.FolderDeleteError(name);
    return error;
}

bool FolderDeleter::Identify(int fd, platform::FolderId& id, MountId& mount) {
    struct statx st;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_INO | STATX_MNT_ID, &st) != 0) {
        return false;
    }
    id.device = makedev(st.stx_dev_major, st.stx_dev_minor);
    id.inode = st.stx_ino;
    // The mount tells a bind mount from its surroundings, which share their device.
    mount.device = id.device;
    mount.mount = (st.stx_mask & STATX_MNT_ID) != 0 ? st.stx_mnt_id : 0;
    return true;
}

int FolderDeleter::List(int fd, std::vector<Entry>& entries) {
    platform::DirectoryReader reader(fd);
    platform::DirectoryEntry entry;
    while (reader.next(entry)) {
        if (entry.name.front() == '.') {
            continue;
        }
        bool isFolder = entry.type == DT_DIR;
        if (entry.type == DT_UNKNOWN) {
            platform::EntryStatus status;
            // The name is a NUL-terminated record of the reader's buffer.
            isFolder = platform::StatEntry(fd, entry.name.data(), status) && status.isFolder;
        }
        entries.push_back(Entry{std::string(entry.name), isFolder});
    }
    return reader.error();
}

} // namespace deletion
