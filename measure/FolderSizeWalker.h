#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/FolderCalls.h"
#include "platform/FolderId.h"

namespace measure {

// Starts a thread running `work`; throws std::system_error when the system refuses one, as
// std::thread's constructor does.
using ThreadStarter = std::function<std::thread(std::function<void()> work)>;

// Measures folders by the total size of the files beneath them, over the folder walk: it never
// changes the working directory, never follows a symbolic link, never walks into a mount point
// and never into a folder above itself. Sub-trees are shared out to helper threads; the sum is
// the same as a serial walk's.
class FolderSizeWalker {
public:
    // Up to threads - 1 helpers; as many as the system will start, down to none.
    explicit FolderSizeWalker(unsigned threads = std::thread::hardware_concurrency(),
                              const ThreadStarter& startThread = StartThread,
                              const platform::FolderCalls& calls = platform::FolderCalls::System());
    ~FolderSizeWalker();
    FolderSizeWalker(const FolderSizeWalker&) = delete;
    FolderSizeWalker& operator=(const FolderSizeWalker&) = delete;

    // Size of the sub-folder `name` of the open folder parentFd. A folder that cannot be
    // opened, is a mount point, or is parentFd's folder itself, measures 0; what cannot be read
    // below it is left out.
    std::uint64_t GetFolderSize(int parentFd, const char* name);

    static std::thread StartThread(std::function<void()> work) {
        return std::thread(std::move(work));
    }

private:
    struct Task {
        platform::FileDescriptor fd;
        platform::FolderId id;
        std::vector<platform::FolderId> above;
    };
    class SizeVisitor;

    void RunHelper();
    std::uint64_t WalkTask(Task task);
    bool TryHandOff(platform::FileDescriptor& fd, const platform::FolderId& id,
                    const std::vector<platform::FolderId>& above);
    void FinishTasks();

    const platform::FolderCalls& m_calls;
    std::size_t m_window = 0;
    std::size_t m_maxQueued = 0;
    std::atomic<std::uint64_t> m_sharedSum{0};

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_queue;
    std::atomic<std::size_t> m_queued{0};
    int m_outstanding = 0; // queued or running tasks of the current measurement
    int m_waiting = 0;     // threads waiting for a task
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

} // namespace measure
