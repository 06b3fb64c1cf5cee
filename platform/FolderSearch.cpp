#include "platform/FolderSearch.h"

#include <fcntl.h>

#include <cerrno>

namespace platform {

FolderSearch::FolderSearch()
    : m_folder(OpenFolder(AT_FDCWD, ".")), m_openError(m_folder.Valid() ? 0 : errno),
      m_reader(m_folder.Get()) {}

bool FolderSearch::Next(FindData& entry) {
    EntryStatus status;
    while (m_reader.Next()) {
        // Only the entry's status is read: a FIFO or a device is never opened.
        if (!m_reader.Status(status)) {
            continue;
        }
        entry.name.assign(m_reader.Name());
        entry.isFolder = status.isFolder;
        entry.size = status.size;
        entry.writeTime = status.writeTime;
        return true;
    }
    errno = m_reader.Error() != 0 ? m_reader.Error() : ENOENT;
    return false;
}

} // namespace platform
