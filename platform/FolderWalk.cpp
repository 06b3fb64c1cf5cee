#include "platform/FolderWalk.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

#include "platform/DescriptorBudget.h"
#include "platform/EntryStatus.h"
#include "platform/FolderReader.h"

namespace platform {

namespace {

// Enough for any real tree; each open folder beyond it costs a reopen on the way back only.
constexpr std::size_t kLargestWindow = 64;
constexpr std::size_t kSmallestWindow = 2;

// Folders reopened have been read already: names are only looked up in them.
constexpr int kLookupFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// What walks may keep open between them: half of what the process may still open, less `held`.
std::size_t UnheldBudget(std::size_t held) {
    const std::size_t budget = SpareDescriptors() / 2;
    return budget > held ? budget - held : 0;
}

FileDescriptor Duplicate(int fd) {
    return FileDescriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

// fd, when it is open on `expected`. Otherwise invalid, with errno ESTALE unless descriptors ran
// out: the folder is gone or another has taken its place.
FileDescriptor Checked(FileDescriptor fd, const FolderId& expected) {
    FolderId id;
    if (!fd.Valid() ? !OutOfDescriptors(errno)
                    : !IdentifyFolder(fd.Get(), id) || !(id == expected)) {
        fd.Reset();
        errno = ESTALE;
    }
    return fd;
}

} // namespace

FolderWalk::FolderWalk(FolderVisitor& visitor, const FolderCalls& calls, std::size_t window,
                       std::function<void()> awaitTurn)
    : m_visitor(visitor), m_calls(calls), m_window(std::max(window, kSmallestWindow)),
      m_awaitTurn(std::move(awaitTurn)) {}

std::size_t FolderWalk::WindowFor(std::size_t walkers, std::size_t held) {
    return std::clamp(UnheldBudget(held) / std::max<std::size_t>(walkers, 1), kSmallestWindow,
                      kLargestWindow);
}

std::size_t FolderWalk::WalksWithin(std::size_t window, std::size_t held) {
    return UnheldBudget(held) / std::max(window, kSmallestWindow);
}

bool FolderWalk::WalkNamed(int parentFd, const std::string& name) {
    m_named = true;
    m_rootFd = parentFd;
    m_route = {};
    Frame frame;
    frame.fd = Obtain([&] { return Duplicate(parentFd); });
    if (!frame.fd.Valid() || !IdentifyFolder(frame.fd.Get(), frame.id)) {
        return m_visitor.NotEntered(parentFd, name, errno, true) != WalkStep::Stop;
    }
    m_route.ids.push_back(frame.id);
    frame.kept.push_back(KeptEntry{name, true});
    m_stack.push_back(std::move(frame));
    return Run();
}

bool FolderWalk::WalkAlong(int rootFd, WalkRoute route, FileDescriptor fd) {
    m_named = false;
    m_rootFd = rootFd;
    m_route = std::move(route);
    Frame frame;
    frame.id = m_route.ids.back();
    frame.name = m_route.names.back();
    frame.fd = fd.Valid() ? std::move(fd) : Obtain([this] { return OpenFirstFrame(); });
    if (!frame.fd.Valid()) {
        // Gone or moved since it was reached, or no descriptor for it on its turn.
        const WalkStep step = OutOfDescriptors(errno) ? m_visitor.Unreadable(frame.name, errno)
                                                      : m_visitor.Lost(frame.name);
        return step != WalkStep::Stop;
    }
    if (Read(frame) == WalkStep::Stop) {
        return false;
    }
    Push(std::move(frame));
    return Run();
}

bool FolderWalk::Run() {
    WalkStep step = WalkStep::Next;
    while (!m_stack.empty() && step != WalkStep::Stop) {
        Frame& top = m_stack.back();
        if (top.lost || top.next == top.kept.size()) {
            step = Leave();
            continue;
        }
        KeptEntry entry = std::move(top.kept[top.next++]);
        step = m_visitor.Visit(top.fd.Get(), entry);
        if (step == WalkStep::Enter) {
            step = Enter(entry.name);
        }
    }
    m_stack.clear();
    return step != WalkStep::Stop;
}

void FolderWalk::Push(Frame frame) {
    m_stack.push_back(std::move(frame));
    if (m_stack.size() > m_window) {
        m_stack[m_stack.size() - 1 - m_window].fd.Reset();
    }
}

WalkStep FolderWalk::Read(Frame& frame) {
    FolderReader reader(frame.fd.Get());
    while (reader.Next()) {
        if (reader.IsSelfOrParent()) {
            continue;
        }
        const FolderVisitor::Keep keep = m_visitor.Listed(reader);
        if (keep != FolderVisitor::Keep::No) {
            frame.kept.push_back(
                KeptEntry{std::string(reader.Name()), keep == FolderVisitor::Keep::AsFolder});
        }
    }
    m_visitor.ListedAll(frame.fd.Get());
    return reader.Error() != 0 ? m_visitor.Unreadable(frame.name, reader.Error()) : WalkStep::Next;
}

WalkStep FolderWalk::Enter(const std::string& name) {
    const bool chosen = m_named && m_stack.size() == 1;
    FileDescriptor fd =
        Obtain([&] { return m_calls.OpenFolder(m_stack.back().fd.Get(), name.c_str()); });
    Frame& top = m_stack.back();
    FolderId id;
    if (!fd.Valid() || !IdentifyFolder(fd.Get(), id)) {
        // A top that could not be reopened on its turn is lost, and the rest of it with it.
        top.lost = !top.fd.Valid();
        return m_visitor.NotEntered(top.fd.Get(), name, errno, chosen);
    }
    // Only a mount can bring a folder back above itself, and no mount is walked into.
    if (!id.SameMount(m_route.ids.back()) || IsAbove(id)) {
        return m_visitor.NotEntered(top.fd.Get(), name, EXDEV, chosen);
    }
    const std::size_t depth = m_route.names.size() + m_stack.size();
    if (m_visitor.MayTakeOver(depth) && m_visitor.TakeOver(fd, RouteTo(name, id))) {
        return WalkStep::Next;
    }
    Frame frame;
    frame.fd = std::move(fd);
    frame.id = id;
    frame.name = name;
    if (Read(frame) == WalkStep::Stop) {
        return WalkStep::Stop;
    }
    Push(std::move(frame));
    return WalkStep::Next;
}

WalkStep FolderWalk::Leave() {
    Frame done = std::move(m_stack.back());
    m_stack.pop_back();
    if (m_stack.empty() || m_stack.back().lost) {
        return WalkStep::Next;
    }
    Frame& parent = m_stack.back();
    if (!parent.fd.Valid() && done.fd.Valid()) {
        // Through "..", where it must still be the folder the walk came down through, or its
        // names no longer lead where they did.
        parent.fd = Checked(FileDescriptor(::openat(done.fd.Get(), "..", kLookupFlags)), parent.id);
        if (!parent.fd.Valid() && !OutOfDescriptors(errno)) {
            parent.lost = true;
            return m_visitor.Lost(done.name);
        }
    }
    done.fd.Reset();
    if (!EnsureTop()) {
        parent.lost = true;
        return OutOfDescriptors(errno) ? m_visitor.Unreadable(parent.name, errno)
                                       : m_visitor.Lost(done.name);
    }
    return m_visitor.Left(parent.fd.Get(), done.name, done.id);
}

bool FolderWalk::IsAbove(const FolderId& id) const {
    return std::find(m_route.ids.begin(), m_route.ids.end(), id) != m_route.ids.end() ||
           std::any_of(m_stack.begin(), m_stack.end(),
                       [&id](const Frame& frame) { return frame.id == id; });
}

WalkRoute FolderWalk::RouteTo(const std::string& name, const FolderId& id) const {
    WalkRoute route = m_route;
    for (std::size_t depth = 1; depth < m_stack.size(); ++depth) {
        route.names.push_back(m_stack[depth].name);
        route.ids.push_back(m_stack[depth].id);
    }
    route.names.push_back(name);
    route.ids.push_back(id);
    return route;
}

// The folder `steps` names down from the root, first along the route and then down the frames,
// opened for lookups, each step checked to be the folder it was.
FileDescriptor FolderWalk::OpenAlong(std::size_t steps) const {
    if (steps == 0) {
        return Duplicate(m_rootFd);
    }
    FileDescriptor fd;
    for (std::size_t step = 0; step < steps; ++step) {
        const bool onRoute = step < m_route.names.size();
        const Frame* frame = onRoute ? nullptr : &m_stack[step - m_route.names.size() + 1];
        const std::string& name = onRoute ? m_route.names[step] : frame->name;
        fd = Checked(
            FileDescriptor(::openat(step == 0 ? m_rootFd : fd.Get(), name.c_str(), kLookupFlags)),
            onRoute ? m_route.ids[step + 1] : frame->id);
        if (!fd.Valid()) {
            break;
        }
    }
    return fd;
}

// The first frame of a walk along a route, opened for reading by the calls, which may be staged.
FileDescriptor FolderWalk::OpenFirstFrame() {
    const FileDescriptor parent = OpenAlong(m_route.names.size() - 1);
    return parent.Valid() ? Checked(m_calls.OpenFolder(parent.Get(), m_route.names.back().c_str()),
                                    m_route.ids.back())
                          : FileDescriptor();
}

// Opens with `open`, which opens from the frame on top. When descriptors run out, closes what
// the walk can spare and tries again; with nothing left to spare, closes the top as well, waits
// for the walk's turn, reopens the top by its route and tries once more. On a failure on its
// turn errno says that descriptors ran out; a top that could not be reopened stays closed.
template <typename Open> FileDescriptor FolderWalk::Obtain(Open open) {
    for (bool turn = false;;) {
        FileDescriptor fd = open();
        if (fd.Valid() || !OutOfDescriptors(errno) || turn) {
            return fd;
        }
        if (CloseOneSpare()) {
            continue;
        }
        if (!m_awaitTurn) {
            return fd;
        }
        if (!m_stack.empty()) {
            m_stack.back().fd.Reset();
        }
        m_awaitTurn();
        turn = true;
        if (!ReopenTop()) {
            return {};
        }
    }
}

// The folder highest up that is still open, but never the one being worked in: it is reopened
// through ".." when the walk comes back to it. The window shrinks to what is left open.
bool FolderWalk::CloseOneSpare() {
    if (m_stack.size() < 2) {
        return false;
    }
    auto spare = std::find_if(m_stack.begin(), m_stack.end() - 1,
                              [](const Frame& frame) { return frame.fd.Valid(); });
    if (spare == m_stack.end() - 1) {
        return false;
    }
    spare->fd.Reset();
    m_window = std::max<std::size_t>(kSmallestWindow, m_stack.end() - spare - 1);
    return true;
}

// Reopens the frame on top by its route unless it is open; errno set when it cannot.
bool FolderWalk::ReopenTop() {
    if (m_stack.empty() || m_stack.back().fd.Valid()) {
        return true;
    }
    m_stack.back().fd = OpenAlong(m_route.names.size() + m_stack.size() - 1);
    return m_stack.back().fd.Valid();
}

// ReopenTop, waiting for a turn when descriptors run out.
bool FolderWalk::EnsureTop() {
    for (bool turn = false;;) {
        if (ReopenTop()) {
            return true;
        }
        if (!OutOfDescriptors(errno) || turn) {
            return false;
        }
        if (CloseOneSpare()) {
            continue;
        }
        if (!m_awaitTurn) {
            return false;
        }
        m_awaitTurn();
        turn = true;
    }
}

} // namespace platform
