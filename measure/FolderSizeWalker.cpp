#include "measure/FolderSizeWalker.h"

#include <algorithm>
#include <system_error>

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

} // namespace

// Adds up the files of the folders one walk reads, and offers their sub-folders to idle helpers.
class FolderSizeWalker::SizeVisitor : public platform::FolderVisitor {
public:
    explicit SizeVisitor(FolderSizeWalker& walker) : m_walker(walker) {}

    Keep Listed(const platform::FolderReader& entry) override {
        if (entry.IsTypedFolder()) {
            return Keep::AsFolder;
        }
        platform::EntryStatus status;
        if (!entry.MayHoldData() || !entry.Status(status)) {
            return Keep::No; // FIFOs, sockets and devices hold no file data; gone since listed
        }
        if (status.isFolder) {
            return Keep::AsFolder;
        }
        m_sum += status.size;
        return Keep::No;
    }
    platform::WalkStep Visit(int, const platform::KeptEntry&) override {
        return platform::WalkStep::Enter;
    }
    bool TakeOver(platform::FileDescriptor& fd, const platform::FolderId& id,
                  const std::vector<platform::FolderId>& above) override {
        return above.size() <= kDeepestHandOff && m_walker.TryHandOff(fd, id, above);
    }

    std::uint64_t Sum() const { return m_sum; }

private:
    FolderSizeWalker& m_walker;
    std::uint64_t m_sum = 0;
};

FolderSizeWalker::FolderSizeWalker(unsigned threads, const ThreadStarter& startThread,
                                   const platform::FolderCalls& calls)
    : m_calls(calls) {
    for (unsigned i = 1; i < threads; ++i) {
        try {
            m_helpers.push_back(startThread([this] { RunHelper(); }));
        } catch (const std::system_error&) {
            break; // a process or container limit: the threads already running will do
        }
    }
    const std::size_t walkers = m_helpers.size() + 1;
    m_maxQueued = m_helpers.empty() ? 0 : kMostQueued;
    m_window = platform::FolderWalk::WindowFor(walkers, m_maxQueued);
}

FolderSizeWalker::~FolderSizeWalker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& helper : m_helpers) {
        helper.join();
    }
}

std::uint64_t FolderSizeWalker::GetFolderSize(int parentFd, const char* name) {
    m_sharedSum = 0;
    SizeVisitor visitor(*this);
    platform::FolderWalk(visitor, m_calls, m_window).WalkNamed(parentFd, name);
    FinishTasks();
    return visitor.Sum() + m_sharedSum.load();
}

std::uint64_t FolderSizeWalker::WalkTask(Task task) {
    SizeVisitor visitor(*this);
    platform::FolderWalk(visitor, m_calls, m_window)
        .WalkOpen(std::move(task.fd), task.id, std::move(task.above));
    return visitor.Sum();
}

void FolderSizeWalker::RunHelper() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_waiting;
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        --m_waiting;
        if (m_stopping) {
            return;
        }
        Task task = std::move(m_queue.front());
        m_queue.pop_front();
        --m_queued;
        lock.unlock();
        m_sharedSum += WalkTask(std::move(task));
        lock.lock();
        if (--m_outstanding == 0) {
            m_wake.notify_all();
        }
    }
}

void FolderSizeWalker::FinishTasks() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (!m_queue.empty()) {
            Task task = std::move(m_queue.front());
            m_queue.pop_front();
            --m_queued;
            lock.unlock();
            m_sharedSum += WalkTask(std::move(task));
            lock.lock();
            --m_outstanding;
            continue;
        }
        if (m_outstanding == 0) {
            return;
        }
        ++m_waiting;
        m_wake.wait(lock, [this] { return !m_queue.empty() || m_outstanding == 0; });
        --m_waiting;
    }
}

bool FolderSizeWalker::TryHandOff(platform::FileDescriptor& fd, const platform::FolderId& id,
                                  const std::vector<platform::FolderId>& above) {
    if (m_queued.load(std::memory_order_relaxed) >= m_maxQueued) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_queue.push_back(Task{std::move(fd), id, above});
    ++m_queued;
    ++m_outstanding;
    if (m_waiting > 0) {
        m_wake.notify_one();
    }
    return true;
}

} // namespace measure
