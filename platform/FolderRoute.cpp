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
    if (!folder.Valid()) {
        return false;
    }
    const int drive = table.DriveHolding(folder.Get());
    if (drive == 0) {
        return false;
    }
    const FileDescriptor root = table.OpenRoot(drive);
    FolderId rootId;
    RememberedFolder below;
    if (!root.Valid() || !IdentifyFolder(root.Get(), rootId) ||
        !below.RememberFolder(folder.Get(), rootId)) {
        return false;
    }
    route = FolderRoute{drive, std::move(below.names)};
    return true;
}

} // namespace platform
