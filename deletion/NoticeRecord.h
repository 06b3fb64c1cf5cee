#pragma once

#include <string>

#include "deletion/DeletionNotices.h"

namespace deletion {

// The notice a deletion gave on a thread that cannot show it, kept to be told on the window's
// thread once that deletion has ended. A deletion ends at its first notice, so one is kept.
class NoticeRecord : public DeletionNotices {
public:
    void FileDeleteError(const std::string& name) override {
        Keep(&DeletionNotices::FileDeleteError, name);
    }
    void DeleteNotFound(const std::string& name) override {
        Keep(&DeletionNotices::DeleteNotFound, name);
    }
    void FolderDeleteError(const std::string& name) override {
        Keep(&DeletionNotices::FolderDeleteError, name);
    }

    // Tells the kept notice, if there is one.
    void TellTo(DeletionNotices& notices) const {
        if (m_notice) {
            (notices.*m_notice)(m_name);
        }
    }

private:
    using Notice = void (DeletionNotices::*)(const std::string&);
    void Keep(Notice notice, const std::string& name) {
        m_notice = notice;
        m_name = name;
    }

    Notice m_notice = nullptr;
    std::string m_name;
};

} // namespace deletion
