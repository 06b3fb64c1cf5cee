#pragma once

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

    platform::FileDescriptor OpenFolder(int dirFd, const char* name) const override;
    int RemoveFile(int dirFd, const std::string& name) const override;
    int RemoveFolder(int dirFd, const std::string& name,
                     const platform::FolderId& expected) const override;

private:
    int Staged(int dirFd, const std::string& name) const;
};

} // namespace testsupport
