#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderCalls.h"
#include "platform/FolderId.h"
#include "platform/FolderVisitor.h"

namespace platform {

// Walks a folder tree depth first by directory descriptors, handing every entry to a visitor.
// It never changes the working directory, never follows a symbolic link, never walks into a
// mount point (another file system, or the same one mounted again) nor into a folder above
// itself, and needs no path, so any depth and any name bytes will do. At most `window` folders
// stay open on the way down; those above are reopened through ".." on the way back, and only
// when they are still the folders the walk came down through. When the process runs out of
// descriptors the walk closes what it can spare and tries again, so nothing is left out for
// want of them.
class FolderWalk {
public:
    FolderWalk(FolderVisitor& visitor, const FolderCalls& calls, std::size_t window);
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // The window that leaves room for `walkers` walks at once and `held` further descriptors
    // within half of what the process may still open.
    static std::size_t WindowFor(std::size_t walkers, std::size_t held = 0);
    // How many walks at once each have `window` descriptors beside `held` further ones within
    // half of what the process may still open.
    static std::size_t WalksWithin(std::size_t window, std::size_t held = 0);

    // Walks the folder `name` of the open folder parentFd as the one entry of parentFd to visit.
    // False when the visitor stopped the walk.
    bool WalkNamed(int parentFd, const std::string& name);
    // Walks the open folder fd, identified as id, which lies below the folders `above`.
    bool WalkOpen(FileDescriptor fd, const FolderId& id, std::vector<FolderId> above);

private:
    struct Frame {
        FileDescriptor fd; // closed while outside the open window
        FolderId id;
        std::string name; // as its parent holds it
        std::vector<KeptEntry> kept;
        std::size_t next = 0;
        bool lost = false; // could not be reopened as the same folder: its rest is left out
    };

    bool Run();
    void Push(Frame frame);
    WalkStep Read(Frame& frame);
    WalkStep Enter(const std::string& name);
    WalkStep Leave();
    template <typename Open> FileDescriptor Retrying(Open open);
    bool CloseOneSpare();

    FolderVisitor& m_visitor;
    const FolderCalls& m_calls;
    std::size_t m_window;
    bool m_named = false;          // started from a parent holding the one entry to walk
    FolderId m_start;              // the folder whose mount the walk stays on
    std::vector<Frame> m_stack;    // the folders walked into, the deepest last
    std::vector<FolderId> m_above; // the folders above the walk, then one per frame
};

} // namespace platform
