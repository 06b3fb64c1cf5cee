#include "deletion/command/NoticeDialogs.h"

#include "dialogs/CDeleteNotFoundDlg.h"
#include "dialogs/CFileDeleteErrorDlg.h"
#include "dialogs/CFolderDeleteErrorDlg.h"
#include "views/DisplayName.h"

namespace deletion {

namespace {

template <typename Notice> void ShowNaming(const std::string& name) {
    Notice notice;
    notice.m_strName = DisplayName(name);
    notice.DoModal();
}

} // namespace

void NoticeDialogs::FileDeleteError(const std::string& name) {
    ShowNaming<CFileDeleteErrorDlg>(name);
}

void NoticeDialogs::DeleteNotFound(const std::string& name) {
    ShowNaming<CDeleteNotFoundDlg>(name);
}

void NoticeDialogs::FolderDeleteError(const std::string& name) {
    ShowNaming<CFolderDeleteErrorDlg>(name);
}

} // namespace deletion
