#include "platform/CurrentDrive.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// Descriptors only for finding and entering folders: no read permission needed.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

FileDescriptor OpenHere() {
    return FileDescriptor(::open(".", kFolderFlags));
}

} // namespace

void CurrentDrive::Start() {
    if (m_started) {
        return;
    }
    m_started = true;
    FileDescriptor here = OpenHere();
    m_drive = here.Valid() ? m_table.DriveHolding(here.Get()) : 0;
    FileDescriptor root = m_table.OpenRoot(m_drive);
    if (!root.Valid() || !IdentifyFolder(root.Get(), m_root)) {
        m_drive = 0;
    }
}

int CurrentDrive::Drive() {
    Start();
    return m_drive;
}

FileDescriptor CurrentDrive::ReturnFolder(int drive, FolderId& rootId) {
    FileDescriptor root = m_table.OpenRoot(drive);
    if (!root.Valid() || !IdentifyFolder(root.Get(), rootId)) {
        return {};
    }
    FileDescriptor last;
    if (drive == m_drive) {
        last = OpenHere();
    } else if (auto remembered = m_remembered.find(drive); remembered != m_remembered.end()) {
        last = remembered->second.Reopen(root.Get());
    }
    // A folder removed, or moved off the drive, since it was left: back to the root.
    return last.Valid() && IsWithin(last.Get(), rootId) ? std::move(last) : std::move(root);
}

int CurrentDrive::Change(int drive) {
    Start();
    FolderId rootId;
    FileDescriptor target = ReturnFolder(drive, rootId);
    if (!target.Valid()) {
        return -1;
    }
    RememberedFolder left;
    const bool leaving = drive != m_drive && m_drive != 0 && left.RememberWorkingDirectory(m_root);
    if (::fchdir(target.Get()) != 0) {
        return -1;
    }
    if (leaving) {
        m_remembered[m_drive] = std::move(left);
    }
    m_remembered.erase(drive);
    m_drive = drive;
    m_root = rootId;
    return 0;
}

FileDescriptor CurrentDrive::FolderOf(int drive) {
    Start();
    if (drive == m_drive) {
        return OpenHere();
    }
    FolderId rootId;
    return ReturnFolder(drive, rootId);
}

int CurrentDrive::Enter(const std::string& name) {
    Start();
    if (name == "\\") {
        return EnterRoot();
    }
    return EnterPath(name);
}

int CurrentDrive::EnterRoot() {
    FileDescriptor root = m_table.OpenRoot(m_drive);
    FolderId rootId;
    if (!root.Valid() || !IdentifyFolder(root.Get(), rootId) || ::fchdir(root.Get()) != 0) {
        return -1;
    }
    m_root = rootId;
    return 0;
}

// One component at a time from the working directory's own descriptor: no path is ever built,
// so neither its length nor its bytes matter, and the working directory changes only at the end.
int CurrentDrive::EnterPath(std::string_view path) {
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    FileDescriptor folder = OpenHere();
    while (folder.Valid() && !path.empty()) {
        std::size_t end = path.find('/');
        std::string component(path.substr(0, end));
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
        if (component.empty() || component == ".") {
            continue;
        }
        if (component == "..") {
            FolderId id;
            if (m_drive != 0 && IdentifyFolder(folder.Get(), id) && id == m_root) {
                continue; // the drive's root has no parent on this drive
            }
            folder = FileDescriptor(::openat(folder.Get(), "..", kFolderFlags));
        } else {
            folder = FileDescriptor(
                ::openat(folder.Get(), component.c_str(), kFolderFlags | O_NOFOLLOW));
        }
    }
    if (!folder.Valid() || ::fchdir(folder.Get()) != 0) {
        return -1;
    }
    return 0;
}

} // namespace platform
