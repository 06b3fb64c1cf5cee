#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "measure/DiskWaits.h"
#include "measure/ListedBatch.h"
#include "measure/NameBatch.h"
#include "measure/SharedFolder.h"
#include "platform/FileDescriptor.h"
#include "platform/FolderCalls.h"
#include "platform/FolderReader.h"
#include "platform/Meanwhile.h"
#include "platform/ThreadStarter.h"
#include "platform/WalkRoute.h"

namespace measure {

class WaitSampler;

// A folder's size, and whether all of it could be read. A folder that cannot be opened for what
// it is (gone, not permitted, a link, a mount point) counts 0 and leaves the size complete; a
// shortage of the process, such as descriptors running out where no walk could give any back,
// or a folder whose reading fails half way, leaves it incomplete.
struct FolderSize {
    std::uint64_t bytes = 0;
    bool complete = true;
};

// Measures folders by the total size of the files beneath them, over the folder walk: it never
// changes the working directory, never follows a symbolic link, never walks into a mount point
// and never into a folder above itself. Helper threads measure the folders given to it, several
// at once, and share out their sub-trees and the status reads of a wide folder's entries; every
// sum is the same as a serial walk's. One helper walks per core; once the walk waits on the
// disk, further helpers are started, and they keep more folders in flight than there are cores
// for as long as it waits. When descriptors run out, the walks take turns, one at a time, until
// none is waiting for one.
//
// It also lists a folder on the helpers: the entries in the order the file system gives them,
// each with its status, its folders put in line to be measured as they are read.
class FolderSizeWalker {
public:
    // `threads` helpers, and more while the walk waits on the disk; as many as the system will
    // start, down to none, when the calling thread does all the work itself.
    explicit FolderSizeWalker(unsigned threads = std::thread::hardware_concurrency(),
                              const platform::ThreadStarter& startThread = platform::StartThread,
                              const platform::FolderCalls& calls = platform::FolderCalls::System());
    ~FolderSizeWalker();
    FolderSizeWalker(const FolderSizeWalker&) = delete;
    FolderSizeWalker& operator=(const FolderSizeWalker&) = delete;

    // Puts the sub-folder `name` of the open folder parentFd in line to be measured; helpers may
    // start on it at once. parentFd stays open until its size has been taken.
    void Add(int parentFd, std::string name);
    // The size of the earliest folder added and not yet taken, once all of it is measured. While
    // it waits, the calls of `meanwhile` are made on the calling thread as they fall due.
    FolderSize NextSize(platform::Meanwhile& meanwhile);
    FolderSize NextSize() {
        platform::Meanwhile nothing;
        return NextSize(nothing);
    }
    // The size of the sub-folder `name` of the open folder parentFd, with nothing else in line.
    FolderSize GetFolderSize(int parentFd, const char* name);

    // Starts listing the open folder fd, which stays open until the listing has ended. Its
    // folders go in line as they are read, so that their sizes are taken in listing order.
    void List(int fd);
    // The listing's next entries with their status, in order, once read; none at the end, when
    // ListingComplete says whether it was read to its end. Valid until the next call.
    const ListedBatch* NextListed(platform::Meanwhile& meanwhile);
    bool ListingComplete() const { return m_listingComplete; }

private:
    // One folder in line, until its size is taken.
    struct Measurement {
        int parentFd = -1;
        std::string name;
        FolderSize size;
        int walking = 0; // walks and status reads of its tree begun and not yet ended
    };
    // A walk to make: a whole folder in line, or a sub-tree of one handed off, reached from the
    // folder's parent along its route and, while descriptors last, open already.
    struct Task {
        Measurement* of = nullptr;
        platform::WalkRoute route; // empty for a whole folder
        platform::FileDescriptor fd;
    };
    // Quick work that opens nothing: the status of a batch of a wide folder's entries, to be
    // added to `of`, or of a listed batch; or reading the listing's next batch.
    struct QuickTask {
        Measurement* of = nullptr;
        SharedFolder folder;
        NameBatch names;
        ListedBatch* listed = nullptr;
    };
    // The folder being listed, read one batch at a time.
    struct Listing {
        int fd = -1;
        std::unique_ptr<platform::FolderReader> reader;
        std::deque<std::unique_ptr<ListedBatch>> read; // in order, not yet handed on
        std::unique_ptr<ListedBatch> handed;           // to the caller
        bool reading = false;                          // a read is queued or under way
        bool ended = false;
    };
    class SizeVisitor;

    bool StartHelper(bool forDisk);
    void RunHelper(bool forDisk);
    bool TakeTask(Task& task);
    bool TakeQuickTask(QuickTask& task);
    void AwaitResult(std::unique_lock<std::mutex>& lock, platform::Meanwhile& meanwhile);
    bool RunQuickTask();
    void Run(QuickTask task);
    void Walk(Task task, WaitSampler& sampler, std::size_t window,
              platform::Meanwhile* meanwhile = nullptr);
    void ReadListing();
    std::unique_ptr<ListedBatch> ReadBatch();
    void StatListed(ListedBatch& batch) const;
    void QueueRead();
    void WakeHelper();
    void WakeDiskHelpers();
    bool MayHandOff() const;
    bool TryHandOff(Measurement& of, platform::FileDescriptor& fd, platform::WalkRoute route);
    bool MayHandOffStatus() const;
    bool TryHandOffStatus(Measurement& of, const SharedFolder& folder, NameBatch& names);
    SharedFolder ShareFolder(int fd);
    void AwaitTurn();

    // Who may touch what. The calling thread adds folders, lists, and takes sizes and listed
    // batches; helpers walk and read. A walk's visitor, its FolderWalk and each thread's
    // WaitSampler belong to the one thread that runs them, a task to the thread that took it,
    // and the listing's reader to the one read under way.

    // Fixed once the constructor has returned; read by every thread without the lock.
    platform::ThreadStarter m_startThread;
    const platform::FolderCalls& m_calls;
    std::size_t m_window = 0;     // of a walk by a helper for the cores, or by the caller
    std::size_t m_diskWindow = 0; // of a walk by a helper for the disk
    std::size_t m_maxQueued = 0;

    // Shared without the lock: atomic inside.
    DiskWaits m_diskWaits;

    // m_mutex guards every member below it (but the atomics' reads), each Measurement's size
    // and walking count, the listed batches until handed on, and the tasks until one is taken.
    std::mutex m_mutex;
    std::condition_variable m_wake;     // helpers that walk whenever there is work
    std::condition_variable m_diskWake; // helpers that walk only while the walk waits on the disk
    std::condition_variable m_done;     // the caller, for the earliest folder or listed batch
    std::condition_variable m_turns;    // walks waiting for their turn at descriptors
    std::deque<Measurement> m_line;     // in the order added; references stay valid
    std::size_t m_unstarted = 0;        // folders at the end of the line nobody walks yet
    std::deque<Task> m_queue;           // sub-trees handed off
    std::atomic<std::size_t> m_queued{0};
    std::deque<QuickTask> m_quick; // taken before any walk
    std::atomic<std::size_t> m_quickQueued{0};
    Listing m_listing;
    bool m_listingComplete = true;
    std::atomic<int> m_idle{0}; // written under the lock; read without it, as a hint
    int m_idleForDisk = 0;
    std::size_t m_diskHelpersToStart = 0; // when the walk is first found waiting
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
    // Descriptors running out: walks under way that may hold some, folders shared with status
    // reads, walks waiting for their turn, and the thread whose walk has its turn. While any
    // walk waits or has its turn no new walk starts and nothing is handed off.
    int m_holding = 0;
    int m_sharedFolders = 0;
    int m_awaitingTurn = 0;
    std::thread::id m_turn;
    std::atomic<bool> m_short{false};
};

} // namespace measure
