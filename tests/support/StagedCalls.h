#pragma once

#include <cerrno>
#include <functional>
#include <string>

#include "platform/FolderCalls.h"

namespace testsupport {

// The system's folder calls with a test's staging run first: a failure to give, or a race to
// set up at that exact point. Each returns an errno to fail the call with, or 0 to let it go.
class StagedCalls : public platform::FolderCalls {
public:
    std::function<int(int dirFd, const char* name)> beforeOpen;
    std::function<int(int dirFd, const std::string& name)> beforeRemoval;

    platform::FileDescriptor OpenFolder(int dirFd, const char* name) const override {
        return Staged(beforeOpen, dirFd, name) ? FolderCalls::OpenFolder(dirFd, name)
                                               : platform::FileDescriptor();
    }
    int RemoveFile(int dirFd, const std::string& name) const override {
        return Staged(beforeRemoval, dirFd, name) ? FolderCalls::RemoveFile(dirFd, name) : -1;
    }
    int RemoveFolder(int dirFd, const std::string& name,
                     const platform::FolderId& expected) const override {
        return Staged(beforeRemoval, dirFd, name) ? FolderCalls::RemoveFolder(dirFd, name, expected)
                                                  : -1;
    }

private:
    // Whether the call may go on; errno is set when it may not.
    template <typename Staging, typename Name>
    static bool Staged(const Staging& staging, int dirFd, const Name& name) {
        const int error = staging ? staging(dirFd, name) : 0;
        errno = error != 0 ? error : errno;
        return error == 0;
    }
};

} // namespace testsupport
