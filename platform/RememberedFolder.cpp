#include "platform/RememberedFolder.h"

#include <fcntl.h>

#include <algorithm>

#include "platform/EntryStatus.h"
#include "platform/FolderReader.h"

namespace platform {

namespace {

constexpr int kListFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// The name under which `parentFd` holds the folder `child`; empty when it holds none.
std::string NameOfChild(int parentFd, const FolderId& child) {
    FolderReader reader(parentFd);
    EntryStatus status;
    while (reader.Next()) {
        if (reader.MayBeFolder() && !reader.IsSelfOrParent() && reader.Status(status) &&
            status.isFolder && status.id == child) {
            return std::string(reader.Name());
        }
    }
    return {};
}

} // namespace

bool RememberedFolder::RememberWorkingDirectory(const FolderId& root) {
    const FileDescriptor here(::open(".", kListFlags));
    return here.Valid() && RememberFolder(here.Get(), root);
}

bool RememberedFolder::RememberFolder(int folderFd, const FolderId& root) {
    names.clear();
    FileDescriptor folder(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    FolderId step;
    if (!folder.Valid() || !IdentifyFolder(folder.Get(), step)) {
        return false;
    }
    id = step;
    while (!(step == root)) {
        FileDescriptor parent(::openat(folder.Get(), "..", kListFlags));
        FolderId parentId;
        if (!parent.Valid() || !IdentifyFolder(parent.Get(), parentId) || parentId == step) {
            return false; // the top of the file system, and root was not on the way
        }
        std::string name = NameOfChild(parent.Get(), step);
        if (name.empty()) {
            return false;
        }
        names.push_back(std::move(name));
        folder = std::move(parent);
        step = parentId;
    }
    std::reverse(names.begin(), names.end());
    return true;
}

FileDescriptor RememberedFolder::Reopen(int rootFd) const {
    FileDescriptor folder(::fcntl(rootFd, F_DUPFD_CLOEXEC, 0));
    for (const std::string& name : names) {
        if (!folder.Valid()) {
            break;
        }
        folder = FileDescriptor(
            ::openat(folder.Get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    FolderId reached;
    if (!folder.Valid() || !IdentifyFolder(folder.Get(), reached) || !(reached == id)) {
        return {};
    }
    return folder;
}

} // namespace platform
