#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderId.h"
#include "platform/WalkRoute.h"

namespace platform {

class FolderReader;

// An entry a walk keeps from reading its folder, to visit once the whole folder has been read.
struct KeptEntry {
    std::string name; // the exact bytes
    bool isFolder = false;
};

// What a walk does after a step.
enum class WalkStep { Next, Enter, Stop };

// The user of a FolderWalk: it sees each entry and decides what to add up or remove. The walk
// itself only opens, reads, closes and reopens folders.
class FolderVisitor {
public:
    enum class Keep { No, AsFile, AsFolder };

    virtual ~FolderVisitor() = default;

    // Each entry of a folder as it is read, "." and ".." left out. What is kept is
    // visited in the order read.
    virtual Keep Listed(const FolderReader& entry) = 0;
    // Every entry of the folder open as folderFd has been listed.
    virtual void ListedAll(int /*folderFd*/) {}
    // Each kept entry in turn, folderFd being its folder; Enter walks into a folder entry.
    virtual WalkStep Visit(int folderFd, const KeptEntry& entry) = 0;
    // Whether the visitor would take over a sub-folder `depth` folders below the walk's root.
    virtual bool MayTakeOver(std::size_t /*depth*/) { return false; }
    // A sub-folder about to be walked into, which MayTakeOver said the visitor would take:
    // opened, on the walk's own mount, and no folder above it; `route` leads to it from the
    // walk's root. True when the visitor takes it over, descriptor and all, and the walk goes on
    // beside it.
    virtual bool TakeOver(FileDescriptor& /*fd*/, WalkRoute /*route*/) { return false; }
    // A sub-folder that was not walked into. `error` is the errno of opening it (ELOOP or
    // ENOTDIR for a link, ENOTDIR for a file, ENOENT when it has gone), or EXDEV for a mount
    // point, whether of another file system or of the same one mounted again. `chosen`: it is
    // the folder the walk was started on.
    virtual WalkStep NotEntered(int /*folderFd*/, const std::string& /*name*/, int /*error*/,
                                bool /*chosen*/) {
        return WalkStep::Next;
    }
    // A folder walked into could not be read to its end, or could not be opened again to go on in
    // it for want of descriptors (`error` EMFILE or ENFILE); what was read is kept.
    virtual WalkStep Unreadable(const std::string& /*name*/, int /*error*/) {
        return WalkStep::Next;
    }
    // A folder walked into has been walked to its end and closed; parentFd holds it as `name`.
    virtual WalkStep Left(int /*parentFd*/, const std::string& /*name*/, const FolderId& /*id*/) {
        return WalkStep::Next;
    }
    // The folder holding `name` could not be reopened as the folder the walk came down through
    // (it was moved or removed meanwhile): the rest of it is left out.
    virtual WalkStep Lost(const std::string& /*name*/) { return WalkStep::Next; }
};

} // namespace platform
