#include "platform/FolderSearch.h"

#include <fcntl.h>

#include <cerrno>

#include "platform/EntryStatus.h"

namespace platform {

FolderSearch::FolderSearch()
    : m_folder(OpenFolder(AT_FDCWD, ".")), m_openError(m_folder.valid() ? 0 : errno),
      m_reader(m_folder.get()) {}

bool FolderSearch::next(FindData& entry) {
    DirectoryEntry raw;
    while (m_reader.next(raw)) {
        EntryStatus status;
        // Only the entry's status is read: a FIFO or a device is never opened.
        if (!StatEntry(m_folder.get(), raw.name.data(), status)) {
            continue;
        }
        entry.name.assign(raw.name);
        entry.isFolder = status.isFolder;
        entry.size = status.size;
        entry.writeTime = status.writeTime;
        return true;
    }
    errno = m_reader.error() != 0 ? m_reader.error() : ENOENT;
    return false;
}

} // namespace platform
