#include "deletion/SelectedRowsDeleter.h"

#include <fcntl.h>

#include <cerrno>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionProgress.h"
#include "deletion/FolderDeleter.h"
#include "deletion/NoticeRecord.h"
#include "platform/WorkAside.h"

namespace deletion {

bool SelectedRowsDeleter::DeleteRows(const std::vector<SelectedRow>& rows) {
    m_progress.Begin(kStepsPerRow * static_cast<int>(rows.size()));
    for (const SelectedRow& row : rows) {
        if (int error = Delete(row)) {
            m_progress.End();
            if (error == ENOENT) {
                m_notices.DeleteNotFound(row.name);
            } else if (!row.isFolder) {
                m_notices.FileDeleteError(row.name);
            } // a folder's failure was reported by the walk
            return false;
        }
        m_progress.Step();
    }
    m_progress.End();
    return true;
}

// 0, or the error number of the failure. The row is deleted on a thread of its own, however
// long that takes, while this one lets the windows repaint; its notice is told here afterwards.
int SelectedRowsDeleter::Delete(const SelectedRow& row) {
    NoticeRecord notice;
    int error = 0;
    platform::Meanwhile pump([this] { m_progress.Pump(); });
    platform::RunAside(
        [&] {
            const int result = row.isFolder
                                   ? FolderDeleter(notice, m_calls).DeleteFolderRecursive(row.name)
                                   : m_calls.RemoveFile(AT_FDCWD, row.name);
            error = result == 0 ? 0 : errno;
        },
        pump);
    notice.TellTo(m_notices);
    return error;
}

} // namespace deletion
