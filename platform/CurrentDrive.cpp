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

void CurrentDrive::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    FileDescriptor here = OpenHere();
    m_drive = here.valid() ? m_table.driveHolding(here.get()) : 0;
    FileDescriptor root = m_table.openRoot(m_drive);
    if (!root.valid() || !IdentifyFolder(root.get(), m_root)) {
        m_drive = 0;
    }
}

int CurrentDrive::drive() {
    start();
    return m_drive;
}

FileDescriptor CurrentDrive::returnFolder(int drive, FolderId& rootId) {
    FileDescriptor root = m_table.openRoot(drive);
    if (!root.valid() || !IdentifyFolder(root.get(), rootId)) {
        return {};
    }
    FileDescriptor last;
    if (drive == m_drive) {
        last = OpenHere();
    } else if (auto remembered = m_remembered.find(drive); remembered != m_remembered.end()) {
        last = remembered->second.Reopen(root.get());
    }
    // A folder removed, or moved off the drive, since it was left: back to the root.
    return last.valid() && IsWithin(last.get(), rootId) ? std::move(last) : std::move(root);
}

int CurrentDrive::change(int drive) {
    start();
    FolderId rootId;
    FileDescriptor target = returnFolder(drive, rootId);
    if (!target.valid()) {
        return -1;
    }
    RememberedFolder left;
    const bool leaving = drive != m_drive && m_drive != 0 && left.RememberWorkingDirectory(m_root);
    if (::fchdir(target.get()) != 0) {
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

FileDescriptor CurrentDrive::folderOf(int drive) {
    start();
    if (drive == m_drive) {
        return OpenHere();
    }
    FolderId rootId;
    return returnFolder(drive, rootId);
}

int CurrentDrive::enter(const std::string& name) {
    start();
    if (name == "\\") {
        return enterRoot();
    }
    return enterPath(name);
}

int CurrentDrive::enterRoot() {
    FileDescriptor root = m_table.openRoot(m_drive);
    FolderId rootId;
    if (!root.valid() || !IdentifyFolder(root.get(), rootId) || ::fchdir(root.get()) != 0) {
        return -1;
    }
    m_root = rootId;
    return 0;
}

// One component at a time from the working directory's own descriptor: no path is ever built,
// so neither its length nor its bytes matter, and the working directory changes only at the end.
int CurrentDrive::enterPath(std::string_view path) {
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    FileDescriptor folder = OpenHere();
    while (folder.valid() && !path.empty()) {
        std::size_t end = path.find('/');
        std::string component(path.substr(0, end));
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
        if (component.empty() || component == ".") {
            continue;
        }
        if (component == "..") {
            FolderId id;
            if (m_drive != 0 && IdentifyFolder(folder.get(), id) && id == m_root) {
                continue; // the drive's root has no parent on this drive
            }
            folder = FileDescriptor(::openat(folder.get(), "..", kFolderFlags));
        } else {
            folder = FileDescriptor(
                ::openat(folder.get(), component.c_str(), kFolderFlags | O_NOFOLLOW));
        }
    }
    if (!folder.valid() || ::fchdir(folder.get()) != 0) {
        return -1;
    }
    return 0;
}

} // namespace platform
