#pragma once

#include <string>

namespace deletion {

// The notices deletion shows the user, each modal with the plain name of what it concerns;
// the deletion goes on only after the notice has been closed. The window code shows the
// notice dialogs, tests record the calls.
class DeletionNotices {
public:
    virtual ~DeletionNotices() = default;

    // A file, or a link, could not be deleted (dialog 162).
    virtual void FileDeleteError(const std::string& name) = 0;
    // A selected row could not be found (dialog 163).
    virtual void DeleteNotFound(const std::string& name) = 0;
    // A folder could not be removed, entered or read, or no longer is the folder emptied
    // (dialog 164).
    virtual void FolderDeleteError(const std::string& name) = 0;
};

} // namespace deletion
