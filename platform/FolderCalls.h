#pragma once

#include <string>

#include "platform/FileDescriptor.h"
#include "platform/FolderId.h"

namespace platform {

// The calls by which walks open folders and remove entries. The walks take them as an object so
// that tests can stage a failure or a race at an exact point (tests run as root, where permission
// bits stop nothing); everything else uses System().
class FolderCalls {
public:
    virtual ~FolderCalls() = default;
    static const FolderCalls& System();

    // Opens the real folder `name` inside dirFd for reading, never through a symbolic link: a
    // link fails with ELOOP or ENOTDIR, a file with ENOTDIR, a missing name with ENOENT.
    virtual FileDescriptor OpenFolder(int dirFd, const char* name) const;
    // Deletes the file or link `name` of dirFd; never a folder (EISDIR). Returns 0, or -1 with
    // errno set.
    virtual int RemoveFile(int dirFd, const std::string& name) const;
    // Deletes the empty folder `name` of dirFd, but only while that name still is the folder
    // `expected` (ESTALE otherwise); never a file or a link (ENOTDIR).
    virtual int RemoveFolder(int dirFd, const std::string& name, const FolderId& expected) const;
};

} // namespace platform
