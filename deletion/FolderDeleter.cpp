#include "deletion/FolderDeleter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "deletion/DeletionNotices.h"
#include "platform/EntryName.h"
#include "platform/FolderReader.h"
#include "platform/FolderWalk.h"

namespace deletion {

namespace {

// A name of the working directory itself: never ".", "..", nor a path through other folders.
bool IsPlainName(const std::string& name) {
    return !name.empty() && !platform::IsSelfOrParent(name) && name.find('/') == std::string::npos;
}

bool IsLink(int folderFd, const std::string& name) {
    struct stat status {};
    return ::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(status.st_mode);
}

} // namespace

int FolderDeleter::DeleteFolderRecursive(const std::string& name) {
    m_error = 0;
    if (!IsPlainName(name)) {
        FolderFailure(name, EINVAL);
    } else {
        // The working directory is only looked up in and removed from: no read permission needed.
        platform::FileDescriptor here(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!here.Valid()) {
            FolderFailure(name, errno);
        } else {
            platform::FolderWalk(*this, m_calls, platform::FolderWalk::WindowFor(1))
                .WalkNamed(here.Get(), name);
        }
    }
    if (m_error != 0) {
        errno = m_error;
        return -1;
    }
    return 0;
}

platform::FolderVisitor::Keep FolderDeleter::Listed(const platform::FolderReader& entry) {
    return entry.IsFolder() ? Keep::AsFolder : Keep::AsFile;
}

platform::WalkStep FolderDeleter::Visit(int folderFd, const platform::KeptEntry& entry) {
    return entry.isFolder ? platform::WalkStep::Enter : RemoveFile(folderFd, entry.name);
}

platform::WalkStep FolderDeleter::NotEntered(int folderFd, const std::string& name, int error,
                                             bool chosen) {
    // A link is removed as a link wherever it stands. A file in a folder's place is part of the
    // chosen folder's contents beneath it, but the chosen folder itself is never a file.
    if (error == ELOOP || (error == ENOTDIR && (!chosen || IsLink(folderFd, name)))) {
        return RemoveFile(folderFd, name);
    }
    if (error == ENOENT) {
        m_error = error; // the caller tells that the chosen folder cannot be found
        return platform::WalkStep::Stop;
    }
    if (error == EXDEV) {
        // A mount is left untouched. The folder holding it cannot be removed and reports that
        // itself, unless the chosen folder is the mount point.
        return chosen ? FolderFailure(name, EBUSY) : platform::WalkStep::Next;
    }
    return FolderFailure(name, error);
}

platform::WalkStep FolderDeleter::Unreadable(const std::string& name, int error) {
    return FolderFailure(name, error);
}

platform::WalkStep FolderDeleter::Left(int parentFd, const std::string& name,
                                       const platform::FolderId& id) {
    if (m_calls.RemoveFolder(parentFd, name, id) != 0) {
        return FolderFailure(name, errno);
    }
    return platform::WalkStep::Next;
}

platform::WalkStep FolderDeleter::Lost(const std::string& name) {
    return FolderFailure(name, ESTALE);
}

platform::WalkStep FolderDeleter::RemoveFile(int folderFd, const std::string& name) {
    if (m_calls.RemoveFile(folderFd, name) == 0) {
        return platform::WalkStep::Next;
    }
    m_error = errno;
    m_notices.FileDeleteError(name);
    return platform::WalkStep::Stop;
}

platform::WalkStep FolderDeleter::FolderFailure(const std::string& name, int error) {
    m_error = error;
    m_notices.FolderDeleteError(name);
    return platform::WalkStep::Stop;
}

} // namespace deletion
