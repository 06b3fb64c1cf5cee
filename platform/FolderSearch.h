#pragma once

#include "platform/FileDescriptor.h"
#include "platform/FindData.h"
#include "platform/FolderReader.h"

namespace platform {

// One enumeration of the folder that was the working directory when it started. It holds its
// own descriptor of that folder, so searches on different threads share nothing.
class FolderSearch {
public:
    FolderSearch();
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // 0, or the errno of opening the working directory.
    int OpenError() const { return m_openError; }

    // The next entry, "." and ".." included; entries gone before they could be read are passed
    // over. False at the end, with errno ENOENT, or the read error.
    bool Next(FindData& entry);

private:
    FileDescriptor m_folder;
    int m_openError;
    FolderReader m_reader;
};

} // namespace platform
