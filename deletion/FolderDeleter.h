#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderAncestry.h"

namespace deletion {

class DeletionNotices;

// Deletes a sub-folder of the working directory with everything beneath it, depth first, each
// folder's entries in the order the file system lists them and the folder itself last. It works
// from directory descriptors and never changes the working directory. A symbolic link is
// removed as a link and never followed; a folder of another mount is never entered and stays,
// so the folder holding it stays too; a folder is removed by name only while the name still
// refers to the folder emptied. Names beginning with "." are left where they are. The first
// failure is reported with a notice and ends the walk; what was deleted stays deleted.
class FolderDeleter {
public:
    explicit FolderDeleter(DeletionNotices& notices) : m_notices(notices) {}
    FolderDeleter(const FolderDeleter&) = delete;
    FolderDeleter& operator=(const FolderDeleter&) = delete;

    // 0 when the folder `name` (its exact bytes, a plain name) and everything in it are gone, or
    // when `name` no longer was a folder and was removed as what it had become. -1 otherwise,
    // with errno set: ENOENT when a folder to enter could not be found, which no notice has told;
    // any other number after the notice about the failure.
    int DeleteFolderRecursive(const std::string& name);

private:
    struct Entry {
        std::string name;
        bool isFolder = false;
    };
    struct Frame {
        platform::FileDescriptor fd; // closed while outside the open window
        platform::FolderId id;
        std::vector<Entry> entries;
        std::size_t next = 0; // the entry after the one being deleted
    };
    struct MountId {
        dev_t device = 0;
        std::uint64_t mount = 0; // 0 where the system does not say
        bool operator==(const MountId&) const = default;
    };

    int Start(const std::string& name);
    int Handle(const Entry& entry);
    int RemoveFile(int folderFd, const std::string& name);
    int Enter(platform::FileDescriptor fd, const std::string& name);
    int Leave();
    int FolderFailure(const std::string& name, int error);
    static bool Identify(int fd, platform::FolderId& id, MountId& mount);
    static int List(int fd, std::vector<Entry>& entries);

    DeletionNotices& m_notices;
    std::vector<Frame> m_stack; // the working directory, then each folder entered
    MountId m_mount;            // the working directory's; nothing on another is entered
};

} // namespace deletion
