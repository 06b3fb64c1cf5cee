#include "platform/FolderReader.h"

#include <dirent.h>

namespace platform {

bool FolderReader::IsTypedFolder() const {
    return m_entry.type == DT_DIR;
}

bool FolderReader::IsTypedData() const {
    return m_entry.type == DT_REG || m_entry.type == DT_LNK;
}

bool FolderReader::MayBeFolder() const {
    return m_entry.type == DT_DIR || m_entry.type == DT_UNKNOWN;
}

bool FolderReader::MayHoldData() const {
    return m_entry.type == DT_REG || m_entry.type == DT_LNK || m_entry.type == DT_UNKNOWN;
}

bool FolderReader::Status(EntryStatus& status) const {
    // The name is a NUL-terminated record of the reader's buffer.
    return StatEntry(m_folder, m_entry.name.data(), status);
}

bool FolderReader::IsFolder() const {
    if (m_entry.type != DT_UNKNOWN) {
        return m_entry.type == DT_DIR;
    }
    EntryStatus status;
    return Status(status) && status.isFolder;
}

} // namespace platform
