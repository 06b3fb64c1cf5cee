#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "measure/DiskWaits.h"
#include "platform/FileDescriptor.h"
#include "platform/FolderCalls.h"
#include "platform/FolderId.h"
#include "platform/Meanwhile.h"
#include "platform/ThreadStarter.h"

namespace measure {

class WaitSampler;

// Measures folders by the total size of the files beneath them, over the folder walk: it never
// changes the working directory, never follows a symbolic link, never walks into a mount point
// and never into a folder above itself. Helper threads measure the folders given to it, several
// at once, and share out their sub-trees; every sum is the same as a serial walk's. One helper
// walks per core; once the walk waits on the disk, further helpers are started, and they keep
// more folders in flight than there are cores for as long as it waits.
class FolderSizeWalker {
public:
    // `threads` helpers, and more while the walk waits on the disk; as many as the system will
    // start, down to none, when the calling thread does all the walking itself.
    explicit FolderSizeWalker(unsigned threads = std::thread::hardware_concurrency(),
                              const platform::ThreadStarter& startThread = platform::StartThread,
                              const platform::FolderCalls& calls = platform::FolderCalls::System());
    ~FolderSizeWalker();
    FolderSizeWalker(const FolderSizeWalker&) = delete;
    FolderSizeWalker& operator=(const FolderSizeWalker&) = delete;

    // Puts the sub-folder `name` of the open folder parentFd in line to be measured; helpers may
    // start on it at once. parentFd stays open until its size has been taken.
    void Add(int parentFd, std::string name);
    // The size of the earliest folder added and not yet taken, once all of it is measured. A
    // folder that cannot be opened, is a mount point, or is its parent's folder itself,
    // measures 0; what cannot be read below it is left out. While it waits, the calls of
    // `meanwhile` are made on the calling thread as they fall due.
    std::uint64_t NextSize(platform::Meanwhile& meanwhile);
    std::uint64_t NextSize() {
        platform::Meanwhile nothing;
        return NextSize(nothing);
    }
    // The size of the sub-folder `name` of the open folder parentFd, with nothing else in line.
    std::uint64_t GetFolderSize(int parentFd, const char* name);

private:
    // One folder in line, until its size is taken.
    struct Measurement {
        int parentFd = -1;
        std::string name;
        std::uint64_t sum = 0;
        int walking = 0; // walks of its tree begun and not yet ended
    };
    // A walk to make: a whole folder in line, or a sub-tree of one handed off with its folder
    // open.
    struct Task {
        Measurement* of = nullptr;
        platform::FileDescriptor fd; // not valid for a whole folder, which is opened by name
        platform::FolderId id;
        std::vector<platform::FolderId> above;
    };
    class SizeVisitor;

    bool StartHelper(bool forDisk);
    void RunHelper(bool forDisk);
    bool TakeTask(Task& task);
    void Walk(Task task, WaitSampler& sampler, std::size_t window,
              platform::Meanwhile* meanwhile = nullptr);
    void WakeHelper();
    void WakeDiskHelpers();
    bool TryHandOff(Measurement& of, platform::FileDescriptor& fd, const platform::FolderId& id,
                    const std::vector<platform::FolderId>& above);

    // Who may touch what. The calling thread adds folders and takes their sizes; helpers walk.
    // A walk's visitor, its FolderWalk and each thread's WaitSampler belong to the one thread
    // that runs them, and a Task to the thread that took it from the queue.

    // Fixed once the constructor has returned; read by every thread without the lock.
    platform::ThreadStarter m_startThread;
    const platform::FolderCalls& m_calls;
    std::size_t m_window = 0;     // of a walk by a helper for the cores, or by the caller
    std::size_t m_diskWindow = 0; // of a walk by a helper for the disk
    std::size_t m_maxQueued = 0;

    // Shared without the lock: atomic inside.
    DiskWaits m_diskWaits;

    // m_mutex guards every member below it (but m_queued's reads), each Measurement's sum and
    // walking count, and the queue's tasks until one is taken.
    std::mutex m_mutex;
    std::condition_variable m_wake;     // helpers that walk whenever there is work
    std::condition_variable m_diskWake; // helpers that walk only while the walk waits on the disk
    std::condition_variable m_done;     // the caller, for the earliest folder in line
    std::deque<Measurement> m_line;     // in the order added; references stay valid
    std::size_t m_unstarted = 0;        // folders at the end of the line nobody walks yet
    std::deque<Task> m_queue;           // sub-trees handed off
    std::atomic<std::size_t> m_queued{0}; // written under the lock; read without it, as a hint
    int m_idle = 0;
    int m_idleForDisk = 0;
    std::size_t m_diskHelpersToStart = 0; // when the walk is first found waiting
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

} // namespace measure
