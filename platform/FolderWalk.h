#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderCalls.h"
#include "platform/FolderId.h"
#include "platform/FolderVisitor.h"
#include "platform/WalkRoute.h"

namespace platform {

// Walks a folder tree depth first by directory descriptors, handing every entry to a visitor.
// It never changes the working directory, never follows a symbolic link, never walks into a
// mount point (another file system, or the same one mounted again) nor into a folder above
// itself, and needs no path, so any depth and any name bytes will do. At most `window` folders
// stay open on the way down; those above are reopened through ".." on the way back, and only
// when they are still the folders the walk came down through.
//
// When the process runs out of descriptors, the walk closes the folders it can spare and tries
// again. With none left to spare, where it shares the descriptors with other walks, it closes the
// folder it is in as well, waits for its turn (`awaitTurn`: until no other walk holds any, after
// which it goes on alone until it ends or waits again), and reopens that folder from the walk's
// root by its route. Only an open that fails on its turn fails for want of descriptors: nothing
// is left out while any walk could give descriptors back.
class FolderWalk {
public:
    FolderWalk(FolderVisitor& visitor, const FolderCalls& calls, std::size_t window,
               std::function<void()> awaitTurn = {});
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // The window that leaves room for `walkers` walks at once and `held` further descriptors
    // within half of what the process may still open.
    static std::size_t WindowFor(std::size_t walkers, std::size_t held = 0);
    // How many walks at once each have `window` descriptors beside `held` further ones within
    // half of what the process may still open.
    static std::size_t WalksWithin(std::size_t window, std::size_t held = 0);

    // Walks the folder `name` of the open folder parentFd as the one entry of parentFd to visit.
    // parentFd is the walk's root. False when the visitor stopped the walk.
    bool WalkNamed(int parentFd, const std::string& name);
    // Walks the folder at the end of `route` from the open folder rootFd, which stays open while
    // the walk lasts. `fd`, when valid, is that folder open already.
    bool WalkAlong(int rootFd, WalkRoute route, FileDescriptor fd = {});

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
    bool IsAbove(const FolderId& id) const;
    WalkRoute RouteTo(const std::string& name, const FolderId& id) const;
    FileDescriptor OpenAlong(std::size_t steps) const;
    FileDescriptor OpenFirstFrame();
    template <typename Open> FileDescriptor Obtain(Open open);
    bool CloseOneSpare();
    bool ReopenTop();
    bool EnsureTop();

    FolderVisitor& m_visitor;
    const FolderCalls& m_calls;
    std::size_t m_window;
    std::function<void()> m_awaitTurn;
    bool m_named = false;       // started from a parent holding the one entry to walk
    int m_rootFd = -1;          // open while the walk lasts; the walk's routes start here
    WalkRoute m_route;          // from the root to the first frame
    std::vector<Frame> m_stack; // the folders walked into, the deepest last
};

} // namespace platform
