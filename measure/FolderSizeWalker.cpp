#include "measure/FolderSizeWalker.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "measure/BatchSizes.h"
#include "measure/SizeVisitor.h"
#include "measure/WaitSampler.h"
#include "platform/FolderReader.h"
#include "platform/FolderVisitor.h"
#include "platform/FolderWalk.h"

namespace measure {

namespace {

// Sub-trees waiting for a thread; each holds one open descriptor while descriptors last.
constexpr std::size_t kMostQueued = 8;

// Walkers while the walk waits on the disk, at least: each waits for one directory read at a
// time, and the disk serves many at once. Eight keep it busy; many more spend the cores on the
// kernel's bookkeeping of the reads in flight instead, and a cold scan ends later.
constexpr std::size_t kDiskWalkers = 8;

// Folders each helper for the disk keeps open; those above are reopened, from the cache.
constexpr std::size_t kDiskWalkerWindow = 4;

// Folders each helper for the cores may keep open whatever the helpers for the disk take.
constexpr std::size_t kCoreWalkerWindow = 16;

} // namespace

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
    std::unique_lock lock(m_mutex);
    for (;;) {
        const Measurement& earliest = m_line.front();
        if (m_unstarted < m_line.size() && earliest.walking == 0) {
            const FolderSize size = earliest.size;
            m_line.pop_front();
            return size;
        }
        AwaitResult(lock, meanwhile);
    }
}

// One step of the calling thread's wait. With no helper, it does a piece of the work itself;
// otherwise it waits for the next result or the next call of `meanwhile`, whichever comes first.
void FolderSizeWalker::AwaitResult(std::unique_lock<std::mutex>& lock,
                                   platform::Meanwhile& meanwhile) {
    QuickTask quick;
    Task task;
    if (m_helpers.empty() && TakeQuickTask(quick)) {
        lock.unlock();
        Run(std::move(quick));
    } else if (m_helpers.empty() && TakeTask(task)) {
        lock.unlock();
        WaitSampler sampler(m_diskWaits);
        Walk(std::move(task), sampler, m_window, &meanwhile);
    } else if (m_done.wait_until(lock, meanwhile.Due()) == std::cv_status::timeout) {
        lock.unlock();
    }
    // Done or waited for here, work of any length lets the window answer when it is time.
    if (!lock.owns_lock()) {
        meanwhile.RunIfDue();
        lock.lock();
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
        QuickTask quick;
        if (TakeQuickTask(quick)) {
            lock.unlock();
            Run(std::move(quick));
            lock.lock();
            continue;
        }
        Task task;
        if ((!forDisk || m_diskWaits.Waiting()) && TakeTask(task)) {
            lock.unlock();
            Walk(std::move(task), sampler, forDisk ? m_diskWindow : m_window);
            lock.lock();
            continue;
        }
        if (forDisk) {
            ++m_idleForDisk;
            m_diskWake.wait(lock);
            --m_idleForDisk;
        } else {
            ++m_idle;
            m_wake.wait(lock);
            --m_idle;
        }
    }
}

// Called with m_mutex held.
bool FolderSizeWalker::TakeQuickTask(QuickTask& task) {
    if (m_quick.empty()) {
        return false;
    }
    task = std::move(m_quick.front());
    m_quick.pop_front();
    --m_quickQueued;
    return true;
}

// A quick task, if one waits: called between folders of a walk.
bool FolderSizeWalker::RunQuickTask() {
    if (m_quickQueued.load(std::memory_order_relaxed) == 0) {
        return false;
    }
    QuickTask task;
    {
        std::lock_guard lock(m_mutex);
        if (!TakeQuickTask(task)) {
            return false;
        }
    }
    Run(std::move(task));
    return true;
}

void FolderSizeWalker::Run(QuickTask task) {
    if (task.listed) {
        StatListed(*task.listed);
        std::lock_guard lock(m_mutex);
        task.listed->statusRead = true;
        m_done.notify_one();
        return;
    }
    if (!task.of) {
        ReadListing();
        return;
    }
    std::uint64_t sum = 0;
    bool complete = true;
    AddSizes(task.folder.Get(), task.names, sum, complete);
    task.folder.Reset(); // gives the shared folder back before the lock is taken
    Measurement& of = *task.of;
    std::lock_guard lock(m_mutex);
    of.size.bytes += sum;
    of.size.complete = of.size.complete && complete;
    if (--of.walking == 0 && &of == &m_line.front()) {
        m_done.notify_one();
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
    platform::FolderWalk walk(visitor, m_calls, window, [this] { AwaitTurn(); });
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
    if (m_awaitingTurn > 0) {
        m_turns.notify_all(); // walks waiting for their turn help with quick tasks
    }
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

bool FolderSizeWalker::MayHandOffStatus() const {
    return !m_short.load(std::memory_order_relaxed) && m_idle.load(std::memory_order_relaxed) > 0;
}

bool FolderSizeWalker::TryHandOffStatus(Measurement& of, const SharedFolder& folder,
                                        NameBatch& names) {
    std::lock_guard lock(m_mutex);
    if (m_short || m_idle == 0) {
        return false;
    }
    m_quick.push_back(QuickTask{&of, folder, std::move(names), nullptr});
    ++m_quickQueued;
    ++of.walking;
    WakeHelper();
    return true;
}

// A descriptor of the open folder fd of its own, for status reads on other threads; none when
// descriptors run short.
SharedFolder FolderSizeWalker::ShareFolder(int fd) {
    if (m_short.load(std::memory_order_relaxed)) {
        return {};
    }
    platform::FileDescriptor own(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!own.Valid()) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    ++m_sharedFolders;
    return SharedFolder(std::move(own), [this] {
        std::lock_guard lock(m_mutex);
        --m_sharedFolders;
        m_turns.notify_all();
    });
}

// Waits until no other walk holds descriptors, then lets this one go on alone. Sub-trees in the
// queue give theirs back at once: they are reached again along their routes.
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
    // Quick tasks open nothing: they go on meanwhile, and this thread helps with them.
    while (m_holding > 0 || m_sharedFolders > 0 || m_turn != std::thread::id()) {
        QuickTask quick;
        if (TakeQuickTask(quick)) {
            lock.unlock();
            Run(std::move(quick));
            lock.lock();
            continue;
        }
        m_turns.wait(lock);
    }
    --m_awaitingTurn;
    ++m_holding;
    m_turn = std::this_thread::get_id();
}

} // namespace measure
