#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "measure/Ancestry.h"
#include "platform/FileDescriptor.h"

namespace measure {

// Measures folders by the total size of the files beneath them. It works from directory
// descriptors and never changes the working directory, never follows a symbolic link,
// never leaves the measured folder's file system and never enters a folder that is its own
// ancestor. Sub-trees are shared out to helper threads; the sum is the same as a serial walk's.
class FolderSizeWalker {
public:
    explicit FolderSizeWalker(unsigned threads = std::thread::hardware_concurrency());
    ~FolderSizeWalker();
    FolderSizeWalker(const FolderSizeWalker&) = delete;
    FolderSizeWalker& operator=(const FolderSizeWalker&) = delete;

    // Size of the sub-folder `name` of the open folder parentFd. A folder that cannot be
    // opened, is a mount point of another file system, or is parentFd's folder itself,
    // measures 0; what cannot be read below it is left out.
    std::uint64_t GetFolderSize(int parentFd, const char* name);

private:
    struct Task {
        platform::FileDescriptor fd;
        std::shared_ptr<Ancestry> node;
    };
    struct Frame;

    void RunHelper();
    std::uint64_t WalkTree(Task task);
    bool TryHandOff(platform::FileDescriptor& fd, std::shared_ptr<Ancestry>& node);
    void FinishTasks();
    bool EnterSubfolder(Frame& parent, std::vector<Frame>& stack, std::uint64_t& sum);
    void LeaveFolder(std::vector<Frame>& stack);

    dev_t m_device = 0;
    std::atomic<std::uint64_t> m_sharedSum{0};

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_queue;
    std::atomic<int> m_queued{0};
    int m_outstanding = 0; // queued or running tasks of the current measurement
    int m_waiting = 0;     // threads waiting for a task
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

} // namespace measure
