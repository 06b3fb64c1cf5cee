#include "StagedCalls.h"

#include <cerrno>

namespace testsupport {

platform::FileDescriptor StagedCalls::OpenFolder(int dirFd, const char* name) const {
    if (int error = beforeOpen ? beforeOpen(dirFd, name) : 0) {
        errno = error;
        return {};
    }
    return FolderCalls::OpenFolder(dirFd, name);
}

int StagedCalls::Staged(int dirFd, const std::string& name) const {
    if (int error = beforeRemoval ? beforeRemoval(dirFd, name) : 0) {
        errno = error;
        return -1;
    }
    return 0;
}

int StagedCalls::RemoveFile(int dirFd, const std::string& name) const {
    return Staged(dirFd, name) != 0 ? -1 : FolderCalls::RemoveFile(dirFd, name);
}

int StagedCalls::RemoveFolder(int dirFd, const std::string& name,
                              const platform::FolderId& expected) const {
    return Staged(dirFd, name) != 0 ? -1 : FolderCalls::RemoveFolder(dirFd, name, expected);
}

} // namespace testsupport
