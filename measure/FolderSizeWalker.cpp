#include "measure/FolderSizeWalker.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "measure/WaitSampler.h"
#include "platform/FolderReader.h"
#include "platform/FolderVisitor.h"
#include "platform/FolderWalk.h"

namespace measure {

namespace {

// Sub-trees waiting for a thread; each holds one open descriptor.
constexpr std::size_t kMostQueued = 8;

// Deeper sub-trees stay with the thread that reached them: a hand-off copies the folders above
// it, and a long chain offers nothing to share.
constexpr std::size_t kDeepestHandOff = 64;

// Walkers while the walk waits on the disk, at least: each waits for one directory read at a
// time, and the disk serves many at once. Eight keep it busy; many more spend the cores on the
// kernel's bookkeeping of the reads in flight instead, and a cold scan ends later.
constexpr std::size_t kDiskWalkers = 8;

// Folders each helper for the disk keeps open; those above are reopened, from the cache.
constexpr std::size_t kDiskWalkerWindow = 4;

// Folders each helper for the cores may keep open whatever the helpers for the disk take.
constexpr std::size_t kCoreWalkerWindow = 16;

} // namespace

// Adds up the files of the folders one walk reads, and offers their sub-folders to idle helpers.
class FolderSizeWalker::SizeVisitor : public platform::FolderVisitor {
public:
    SizeVisitor(FolderSizeWalker& walker, Measurement& of, WaitSampler& sampler,
                platform::Meanwhile* meanwhile)
        : m_walker(walker), m_of(of), m_sampler(sampler), m_meanwhile(meanwhile) {}

    Keep Listed(const platform::FolderReader& entry) override {
        if (entry.IsTypedFolder()) {
            return Keep::AsFolder;
        }
        platform::EntryStatus status;
        if (!entry.MayHoldData()) {
            return Keep::No; // FIFOs, sockets and devices hold no file data
        }
        if (!entry.Status(status)) {
            m_complete = m_complete && errno == ENOENT; // gone since it was listed
            return Keep::No;
        }
        if (status.isFolder) {
            return Keep::AsFolder;
        }
        m_sum += status.size;
        return Keep::No;
    }
    platform::WalkStep Visit(int, const platform::KeptEntry&) override {
        if (m_meanwhile) {
            m_meanwhile->RunIfDue(); // the calling thread walks: no helper would start
        }
        if (m_sampler.FolderEntered()) {
            m_walker.WakeDiskHelpers();
        }
        return platform::WalkStep::Enter;
    }
    bool MayTakeOver(std::size_t depth) override {
        return depth <= kDeepestHandOff && m_walker.MayHandOff();
    }
    bool TakeOver(platform::FileDescriptor& fd, platform::WalkRoute route) override {
        return m_walker.TryHandOff(m_of, fd, std::move(route));
    }
    platform::WalkStep NotEntered(int, const std::string&, int error, bool) override {
        m_complete = m_complete && IsWhatTheTreeHolds(error);
        return platform::WalkStep::Next;
    }
    platform::WalkStep Unreadable(const std::string&, int) override {
        m_complete = false;
        return platform::WalkStep::Next;
    }

    std::uint64_t Sum() const { return m_sum; }
    bool Complete() const { return m_complete; }

private:
    // Why a folder is not walked into that lies in the tree itself and leaves nothing out: it is
    // a link, a file, gone, not permitted to be read, a mount point, or moved meanwhile.
    static bool IsWhatTheTreeHolds(int error) {
        return error == ELOOP || error == ENOTDIR || error == ENOENT || error == EACCES ||
               error == EPERM || error == EXDEV || error == ESTALE;
    }

    FolderSizeWalker& m_walker;
    Measurement& m_of;
    WaitSampler& m_sampler;
    platform::Meanwhile* m_meanwhile; // the caller's, when the caller walks
    std::uint64_t m_sum = 0;
    bool m_complete = true;
};

FolderSizeWalker::FolderSizeWalker(unsigned threads, const platform::ThreadStarter& startThread,
                                   const platform::FolderCalls& calls)
    : m_startThread(startThread), m_calls(calls) {
    for (unsigned i = 0; i < std::max(threads, 1u) && StartHelper(false); ++i) {
    }
    const std::size_t walkers = std::max<std::size_t>(m_helpers.size(), 1);
    m_maxQueued = m_helpers.empty() ? 0 : kMostQueued;
    // Descriptors go first to a fair window for each helper for the cores, then to the helpers
    // for the disk, and what is left widens the windows of the first.
    if (!m_helpers.empty()) {
        m_diskWindow = kDiskWalkerWindow;
        m_diskHelpersToStart =
            std::min(std::max(kDiskWalkers, 2 * walkers) - walkers,
                     platform::FolderWalk::WalksWithin(m_diskWindow,
                                                       m_maxQueued + walkers * kCoreWalkerWindow));
    }
    m_window =
        platform::FolderWalk::WindowFor(walkers, m_maxQueued + m_diskHelpersToStart * m_diskWindow);
}

FolderSizeWalker::~FolderSizeWalker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_diskWake.notify_all();
    // A helper still walking may start others before it ends: join until none is left.
    for (;;) {
        std::thread helper;
        {
            std::lock_guard lock(m_mutex);
            if (m_helpers.empty()) {
                return;
            }
            helper = std::move(m_helpers.back());
            m_helpers.pop_back();
        }
        helper.join();
    }
}

// False when the system refuses a thread (a process or container limit): the threads already
// running will do.
bool FolderSizeWalker::StartHelper(bool forDisk) {
    std::thread helper;
    try {
        helper = m_startThread([this, forDisk] { RunHelper(forDisk); });
    } catch (const std::system_error&) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_helpers.push_back(std::move(helper));
    return true;
}

void FolderSizeWalker::Add(int parentFd, std::string name) {
    std::lock_guard lock(m_mutex);
    m_line.push_back(Measurement{parentFd, std::move(name), {}, 0});
    ++m_unstarted;
    WakeHelper();
}

FolderSize FolderSizeWalker::NextSize(platform::Meanwhile& meanwhile) {
    WaitSampler sampler(m_diskWaits);
    std::unique_lock lock(m_mutex);
    for (;;) {
        const Measurement& earliest = m_line.front();
        if (m_unstarted < m_line.size() && earliest.walking == 0) {
            const FolderSize size = earliest.size;
            m_line.pop_front();
            return size;
        }
        Task task;
        if (m_helpers.empty() && TakeTask(task)) {
            lock.unlock();
            Walk(std::move(task), sampler, m_window, &meanwhile);
            lock.lock();
            continue;
        }
        if (m_done.wait_until(lock, meanwhile.Due()) == std::cv_status::timeout) {
            lock.unlock();
            meanwhile.RunIfDue();
            lock.lock();
        }
    }
}

FolderSize FolderSizeWalker::GetFolderSize(int parentFd, const char* name) {
    Add(parentFd, name);
    return NextSize();
}

void FolderSizeWalker::RunHelper(bool forDisk) {
    WaitSampler sampler(m_diskWaits);
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        Task task;
        if ((!forDisk || m_diskWaits.Waiting()) && TakeTask(task)) {
            lock.unlock();
            Walk(std::move(task), sampler, forDisk ? m_diskWindow : m_window);
            lock.lock();
            continue;
        }
        int& idle = forDisk ? m_idleForDisk : m_idle;
        ++idle;
        (forDisk ? m_diskWake : m_wake).wait(lock);
        --idle;
    }
}

// Sub-trees already begun come first, so that few folders are in flight and the earliest is
// finished first. None starts while a walk waits for its turn at descriptors, or has it. Called
// with m_mutex held.
bool FolderSizeWalker::TakeTask(Task& task) {
    if (m_awaitingTurn > 0 || m_turn != std::thread::id()) {
        return false;
    }
    if (!m_queue.empty()) {
        task = std::move(m_queue.front());
        m_queue.pop_front();
        --m_queued;
    } else if (m_unstarted > 0) {
        task.of = &m_line[m_line.size() - m_unstarted--];
        ++task.of->walking;
    } else {
        return false;
    }
    ++m_holding;
    return true;
}

void FolderSizeWalker::Walk(Task task, WaitSampler& sampler, std::size_t window,
                            platform::Meanwhile* meanwhile) {
    Measurement& of = *task.of;
    SizeVisitor visitor(*this, of, sampler, meanwhile);
    platform::FolderWalk walk(visitor, m_calls, window, this);
    sampler.WalkBegan();
    if (task.route.names.empty()) {
        walk.WalkNamed(of.parentFd, of.name);
    } else {
        walk.WalkAlong(of.parentFd, std::move(task.route), std::move(task.fd));
    }
    sampler.WalkEnded();
    std::lock_guard lock(m_mutex);
    of.size.bytes += visitor.Sum();
    of.size.complete = of.size.complete && visitor.Complete();
    --m_holding;
    if (m_turn == std::this_thread::get_id()) {
        m_turn = std::thread::id();
    }
    if (m_awaitingTurn > 0) {
        m_turns.notify_all();
    } else if (m_short && m_turn == std::thread::id()) {
        // The shortage is over for now: every walk may start again.
        m_short = false;
        m_wake.notify_all();
    }
    if (--of.walking == 0 && &of == &m_line.front()) {
        m_done.notify_one();
    }
}

// Called with m_mutex held.
void FolderSizeWalker::WakeHelper() {
    if (m_idle > 0) {
        m_wake.notify_one();
    } else if (m_idleForDisk > 0 && m_diskWaits.Waiting()) {
        m_diskWake.notify_one();
    }
}

void FolderSizeWalker::WakeDiskHelpers() {
    // Taking the lock also orders the change of state before any helper's next look at it.
    std::size_t toStart = 0;
    {
        std::lock_guard lock(m_mutex);
        toStart = std::exchange(m_diskHelpersToStart, 0);
    }
    for (; toStart > 0 && StartHelper(true); --toStart) {
    }
    m_diskWake.notify_all();
}

bool FolderSizeWalker::MayHandOff() const {
    return !m_short.load(std::memory_order_relaxed) &&
           m_queued.load(std::memory_order_relaxed) < m_maxQueued;
}

bool FolderSizeWalker::TryHandOff(Measurement& of, platform::FileDescriptor& fd,
                                  platform::WalkRoute route) {
    std::lock_guard lock(m_mutex);
    if (m_short || m_queued >= m_maxQueued) {
        return false;
    }
    m_queue.push_back(Task{&of, std::move(route), std::move(fd)});
    ++m_queued;
    ++of.walking;
    WakeHelper();
    return true;
}

// Waits until no other walk holds descriptors. Sub-trees in the queue give theirs back at once:
// they are reached again along their routes.
void FolderSizeWalker::AwaitTurn() {
    std::unique_lock lock(m_mutex);
    for (Task& task : m_queue) {
        task.fd.Reset();
    }
    if (m_turn == std::this_thread::get_id()) {
        m_turn = std::thread::id();
    }
    --m_holding;
    ++m_awaitingTurn;
    m_short = true;
    m_turns.notify_all();
    m_turns.wait(lock, [this] { return m_holding == 0 && m_turn == std::thread::id(); });
    --m_awaitingTurn;
    ++m_holding;
    m_turn = std::this_thread::get_id();
}

} // namespace measure
