#include "platform/FolderWalk.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/DescriptorBudget.h"
#include "platform/FolderReader.h"

namespace platform {

namespace {

// Enough for any real tree; each open folder beyond it costs a reopen on the way back only.
constexpr std::size_t kLargestWindow = 64;
constexpr std::size_t kSmallestWindow = 2;

// With nothing of its own left to close, a walk waits for other walks to give descriptors back,
// for at most this long, before it takes a folder as one that cannot be opened.
constexpr int kWaitsForDescriptors = 2000;
constexpr std::chrono::milliseconds kWait{1};

// Folders reopened on the way back have been read already: names are only looked up in them.
constexpr int kLookupFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// What walks may keep open between them: half of what the process may still open, less `held`.
std::size_t UnheldBudget(std::size_t held) {
    const std::size_t budget = SpareDescriptors() / 2;
    return budget > held ? budget - held : 0;
}

} // namespace

FolderWalk::FolderWalk(FolderVisitor& visitor, const FolderCalls& calls, std::size_t window)
    : m_visitor(visitor), m_calls(calls), m_window(std::max(window, kSmallestWindow)) {}

std::size_t FolderWalk::WindowFor(std::size_t walkers, std::size_t held) {
    return std::clamp(UnheldBudget(held) / std::max<std::size_t>(walkers, 1), kSmallestWindow,
                      kLargestWindow);
}

std::size_t FolderWalk::WalksWithin(std::size_t window, std::size_t held) {
    return UnheldBudget(held) / std::max(window, kSmallestWindow);
}

bool FolderWalk::WalkNamed(int parentFd, const std::string& name) {
    m_named = true;
    FileDescriptor parent =
        Retrying([&] { return FileDescriptor(::fcntl(parentFd, F_DUPFD_CLOEXEC, 0)); });
    if (!parent.Valid() || !IdentifyFolder(parent.Get(), m_start)) {
        return m_visitor.NotEntered(parentFd, name, errno, true) != WalkStep::Stop;
    }
    m_above.clear();
    Frame frame;
    frame.fd = std::move(parent);
    frame.id = m_start;
    frame.kept.push_back(KeptEntry{name, true});
    m_above.push_back(frame.id);
    m_stack.push_back(std::move(frame));
    return Run();
}

bool FolderWalk::WalkOpen(FileDescriptor fd, const FolderId& id, std::vector<FolderId> above) {
    m_named = false;
    m_start = id;
    m_above = std::move(above);
    Frame frame;
    frame.fd = std::move(fd);
    frame.id = id;
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
    m_above.push_back(frame.id);
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
    return reader.Error() != 0 ? m_visitor.Unreadable(frame.name, reader.Error()) : WalkStep::Next;
}

WalkStep FolderWalk::Enter(const std::string& name) {
    const int parentFd = m_stack.back().fd.Get();
    const bool chosen = m_named && m_stack.size() == 1;
    FileDescriptor fd = Retrying([&] { return m_calls.OpenFolder(parentFd, name.c_str()); });
    FolderId id;
    if (!fd.Valid() || !IdentifyFolder(fd.Get(), id)) {
        return m_visitor.NotEntered(parentFd, name, errno, chosen);
    }
    // Only a mount can bring a folder back above itself, and no mount is walked into.
    if (!id.SameMount(m_start) || std::find(m_above.begin(), m_above.end(), id) != m_above.end()) {
        return m_visitor.NotEntered(parentFd, name, EXDEV, chosen);
    }
    if (m_visitor.TakeOver(fd, id, m_above)) {
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
    m_above.pop_back();
    if (m_stack.empty()) {
        return WalkStep::Next;
    }
    Frame& parent = m_stack.back();
    if (parent.lost) {
        return WalkStep::Next;
    }
    if (!parent.fd.Valid()) {
        // Reopened from below: it must still be the folder the walk came down through, or its
        // names no longer lead where they did.
        FileDescriptor up;
        if (done.fd.Valid()) {
            up = Retrying(
                [&] { return FileDescriptor(::openat(done.fd.Get(), "..", kLookupFlags)); });
        }
        FolderId id;
        if (!up.Valid() || !IdentifyFolder(up.Get(), id) || !(id == parent.id)) {
            parent.lost = true;
            return m_visitor.Lost(done.name);
        }
        parent.fd = std::move(up);
    }
    done.fd.Reset();
    return m_visitor.Left(parent.fd.Get(), done.name, done.id);
}

template <typename Open> FileDescriptor FolderWalk::Retrying(Open open) {
    for (int waits = 0;;) {
        FileDescriptor fd = open();
        if (fd.Valid() || !OutOfDescriptors(errno)) {
            return fd;
        }
        if (!CloseOneSpare()) {
            if (++waits > kWaitsForDescriptors) {
                return fd;
            }
            std::this_thread::sleep_for(kWait);
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

} // namespace platform
