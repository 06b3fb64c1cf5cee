#include "platform/FolderRoute.h"

#include <fcntl.h>

#include <utility>

#include "platform/DriveTable.h"
#include "platform/FileDescriptor.h"
#include "platform/FolderAncestry.h"
#include "platform/RememberedFolder.h"

namespace platform {

bool FindFolderRoute(DriveTable& table, const std::string& path, FolderRoute& route) {
    const FileDescriptor folder(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        return false;
    }
    const int drive = table.driveHolding(folder.get());
    if (drive == 0) {
        return false;
    }
    const FileDescriptor root = table.openRoot(drive);
    FolderId rootId;
    RememberedFolder below;
    if (!root.valid() || !IdentifyFolder(root.get(), rootId) ||
        !below.RememberFolder(folder.get(), rootId)) {
        return false;
    }
    route = FolderRoute{drive, std::move(below.names)};
    return true;
}

} // namespace platform
