#pragma once

#include <string>

#include "platform/FolderCalls.h"
#include "platform/FolderVisitor.h"

namespace deletion {

class DeletionNotices;

// Deletes a sub-folder of the working directory with everything beneath it, depth first, each
// folder's entries in the order the file system lists them and the folder itself last, over the
// folder walk: it never changes the working directory, removes a symbolic link as a link and
// never follows it, never walks into a mount point (which stays, and so does the folder holding
// it), and removes a folder by name only while the name still refers to the folder emptied.
// The first failure is reported with a notice and ends the walk; what was deleted stays deleted.
class FolderDeleter : private platform::FolderVisitor {
public:
    explicit FolderDeleter(DeletionNotices& notices,
                           const platform::FolderCalls& calls = platform::FolderCalls::System())
        : m_notices(notices), m_calls(calls) {}
    FolderDeleter(const FolderDeleter&) = delete;
    FolderDeleter& operator=(const FolderDeleter&) = delete;

    // 0 when the folder `name` (its exact bytes, a plain name) and everything in it are gone, or
    // when `name` no longer was a folder and was removed as what it had become. -1 otherwise,
    // with errno set: ENOENT when a folder to enter could not be found, which no notice has told;
    // any other number after the notice about the failure.
    int DeleteFolderRecursive(const std::string& name);

private:
    Keep Listed(const platform::FolderReader& entry) override;
    platform::WalkStep Visit(int folderFd, const platform::KeptEntry& entry) override;
    platform::WalkStep NotEntered(int folderFd, const std::string& name, int error,
                                  bool chosen) override;
    platform::WalkStep Unreadable(const std::string& name, int error) override;
    platform::WalkStep Left(int parentFd, const std::string& name,
                            const platform::FolderId& id) override;
    platform::WalkStep Lost(const std::string& name) override;

    platform::WalkStep RemoveFile(int folderFd, const std::string& name);
    platform::WalkStep FolderFailure(const std::string& name, int error);

    DeletionNotices& m_notices;
    const platform::FolderCalls& m_calls;
    int m_error = 0; // of the failure that ended the walk
};

} // namespace deletion
