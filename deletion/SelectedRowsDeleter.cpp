#include "deletion/SelectedRowsDeleter.h"

#include <fcntl.h>

#include <cerrno>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionProgress.h"
#include "deletion/FolderDeleter.h"

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

// 0, or the error number of the failure.
int SelectedRowsDeleter::Delete(const SelectedRow& row) {
    int result = row.isFolder ? FolderDeleter(m_notices, m_calls).DeleteFolderRecursive(row.name)
                              : m_calls.RemoveFile(AT_FDCWD, row.name);
    return result == 0 ? 0 : errno;
}

} // namespace deletion
