#pragma once

#include "deletion/DeletionNotices.h"

namespace deletion {

// The deletion's notices as the modal notice dialogs, each owned by the main window.
class NoticeDialogs : public DeletionNotices {
public:
    void FileDeleteError(const std::string& name) override;
    void DeleteNotFound(const std::string& name) override;
    void FolderDeleteError(const std::string& name) override;
};

} // namespace deletion
