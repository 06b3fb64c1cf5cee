#include "measure/FolderSizeWalker.h"

#include <fcntl.h>

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

// Entries whose status one thread reads before it offers the rest of a wide folder to others,
// and that it hands another at a time: a few hundred status reads outweigh a hand-off by far.
constexpr std::size_t kStatusBatch = 512;

// Entries of a listing read at a time, and how many such batches may wait for the caller:
// enough to keep every helper busy, little memory however wide the folder.
constexpr std::size_t kListingBatch = 512;
constexpr std::size_t kMostListedAhead = 64;

// The status of the entries `names` of folderFd: their bytes added to `sum`; `complete` falls
// when one that was there could not be read.
void AddStatus(int folderFd, const NameBatch& names, std::uint64_t& sum, bool& complete) {
    platform::EntryStatus status;
    names.ForEach([&](const char* name) {
        if (platform::StatEntry(folderFd, name, status)) {
            sum += status.isFolder ? 0 : status.size; // a file that turned folder meanwhile
        } else {
            complete = complete && errno == ENOENT; // gone since it was listed
        }
    });
}

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
        if (entry.IsTypedData()) {
            // Read in batches, which idle helpers may take: a wide folder is read on every core.
            m_pending.Add(entry.Name());
            if (m_pending.Count() == kStatusBatch) {
                HandOffOrRead(entry.FolderFd());
            }
            return Keep::No;
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
    void ListedAll(int folderFd) override {
        AddStatus(folderFd, m_pending, m_sum, m_complete);
        m_pending.Clear();
        m_shared.reset();
    }
    platform::WalkStep Visit(int, const platform::KeptEntry&) override {
        if (m_meanwhile) {
            m_meanwhile->RunIfDue(); // the calling thread walks: no helper would start
        }
        m_walker.RunQuickTask(); // a listing's batch may wait for it
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
    // Hands a full batch to an idle helper, or reads it here.
    void HandOffOrRead(int folderFd) {
        if (!m_shared && m_walker.MayHandOffStatus()) {
            m_shared = m_walker.ShareFolder(folderFd);
        }
        if (!m_shared || !m_walker.TryHandOffStatus(m_of, m_shared, m_pending)) {
            AddStatus(folderFd, m_pending, m_sum, m_complete);
        }
        m_pending.Clear();
    }

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
    NameBatch m_pending;                                // of the folder being read
    std::shared_ptr<platform::FileDescriptor> m_shared; // that folder, for the helpers' reads
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
        meanwhile.RunIfDue();
    }
    if (!lock.owns_lock()) {
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
    AddStatus(task.folder->Get(), task.names, sum, complete);
    task.folder.reset(); // gives the shared folder back before the lock is taken
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

void FolderSizeWalker::List(int fd) {
    std::lock_guard lock(m_mutex);
    m_listing = Listing();
    m_listing.fd = fd;
    m_listing.reader = std::make_unique<platform::FolderReader>(fd);
    m_listingComplete = true;
    QueueRead();
}

const ListedBatch* FolderSizeWalker::NextListed(platform::Meanwhile& meanwhile) {
    std::unique_lock lock(m_mutex);
    m_listing.handed.reset();
    QueueRead();
    for (;;) {
        if (!m_listing.read.empty() && m_listing.read.front()->statusRead) {
            m_listing.handed = std::move(m_listing.read.front());
            m_listing.read.pop_front();
            QueueRead();
            return m_listing.handed.get();
        }
        if (m_listing.read.empty() && m_listing.ended) {
            return nullptr;
        }
        AwaitResult(lock, meanwhile);
    }
}

// Reads the listing's next batch, puts the reading of its entries' status in line, and the
// next read after it while the caller is not too far behind.
void FolderSizeWalker::ReadListing() {
    std::unique_ptr<ListedBatch> batch = ReadBatch();
    std::lock_guard lock(m_mutex);
    if (batch->entries.size() < kListingBatch) {
        m_listing.ended = true;
        m_listingComplete = m_listing.reader->Error() == 0; // a listing that fails half way
        m_done.notify_one();
    }
    if (!batch->entries.empty()) {
        m_quick.push_back(QuickTask{nullptr, nullptr, NameBatch(), batch.get()});
        ++m_quickQueued;
        m_listing.read.push_back(std::move(batch));
        WakeHelper();
    }
    m_listing.reading = false;
    QueueRead();
}

// Up to kListingBatch entries, their folders put in line as they are read.
std::unique_ptr<ListedBatch> FolderSizeWalker::ReadBatch() {
    auto batch = std::make_unique<ListedBatch>();
    platform::FolderReader& reader = *m_listing.reader;
    while (batch->entries.size() < kListingBatch && reader.Next()) {
        if (reader.IsSelfOrParent()) {
            continue;
        }
        ListedEntry& entry = batch->entries.emplace_back();
        entry.nameAt = static_cast<std::uint32_t>(batch->names.size());
        entry.nameLength = static_cast<std::uint32_t>(reader.Name().size());
        batch->names.append(reader.Name());
        batch->names.push_back('\0');
        entry.inLine = reader.IsFolder();
        if (entry.inLine) {
            Add(m_listing.fd, std::string(reader.Name()));
        }
    }
    return batch;
}

void FolderSizeWalker::StatListed(ListedBatch& batch) const {
    platform::EntryStatus status;
    for (ListedEntry& entry : batch.entries) {
        entry.listed =
            platform::StatEntry(m_listing.fd, batch.names.c_str() + entry.nameAt, status);
        entry.size = status.size;
        entry.writeTime = status.writeTime;
        batch.complete = batch.complete && (entry.listed || errno == ENOENT);
    }
}

// Puts the listing's next read in line unless one is, the listing has ended or the caller is too
// far behind. Called with m_mutex held.
void FolderSizeWalker::QueueRead() {
    if (m_listing.reader && !m_listing.reading && !m_listing.ended &&
        m_listing.read.size() < kMostListedAhead) {
        m_listing.reading = true;
        m_quick.push_back(QuickTask());
        ++m_quickQueued;
        WakeHelper();
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

bool FolderSizeWalker::TryHandOffStatus(Measurement& of,
                                        const std::shared_ptr<platform::FileDescriptor>& folder,
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
std::shared_ptr<platform::FileDescriptor> FolderSizeWalker::ShareFolder(int fd) {
    if (m_short.load(std::memory_order_relaxed)) {
        return nullptr;
    }
    auto* shared = new platform::FileDescriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!shared->Valid()) {
        delete shared;
        return nullptr;
    }
    std::lock_guard lock(m_mutex);
    ++m_sharedFolders;
    return std::shared_ptr<platform::FileDescriptor>(shared,
                                                     [this](platform::FileDescriptor* done) {
                                                         delete done;
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
