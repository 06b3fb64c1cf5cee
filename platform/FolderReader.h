#pragma once

#include <string_view>

#include "platform/DirectoryReader.h"
#include "platform/EntryName.h"
#include "platform/EntryStatus.h"

namespace platform {

// Reads the entries of an open folder in the order the file system lists them, "." and ".."
// included. What the directory itself says (name, type) costs nothing more; an entry's status is
// read only when asked for, and never through a symbolic link. Does not own the descriptor.
class FolderReader {
public:
    explicit FolderReader(int folderFd) : m_folder(folderFd), m_reader(folderFd) {}

    // Moves to the next entry; false at the end or on a read error (then Error() is the errno).
    bool Next() { return m_reader.Next(m_entry); }
    int Error() const { return m_reader.Error(); }

    // The folder read.
    int FolderFd() const { return m_folder; }
    // The exact bytes, NUL-terminated; valid until the next call of Next.
    std::string_view Name() const { return m_entry.name; }
    // "." or "..": not an entry of the folder (see IsSelfOrParent).
    bool IsSelfOrParent() const { return platform::IsSelfOrParent(m_entry.name); }
    // Whether the directory says it is a folder.
    bool IsTypedFolder() const;
    // Whether the directory says it is a file or a link: something that is no folder.
    bool IsTypedData() const;
    // Whether the directory says it is a folder, or does not say what it is.
    bool MayBeFolder() const;
    // Whether it may hold bytes of its own: a file, a link, or an entry the directory does not
    // type. FIFOs, sockets and devices hold none and are never opened.
    bool MayHoldData() const;
    // False with errno set when the entry has gone since it was listed.
    bool Status(EntryStatus& status) const;
    // A real folder: by the directory's word, or by the entry's status where it gives none.
    bool IsFolder() const;

private:
    int m_folder;
    DirectoryReader m_reader;
    DirectoryEntry m_entry{};
};

} // namespace platform
