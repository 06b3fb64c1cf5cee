#pragma once

#include <atomic>
#include <cstdint>

namespace measure {

// Whether a walk is waiting on the disk, from what its walker threads report. A thread that
// keeps falling asleep inside the file-system calls of the folders it reads is waiting for
// their blocks to be read; one that only runs, or is only preempted by other work, is not.
class DiskWaits {
public:
    // A walker reports once per this many folders walked into.
    static constexpr int kFoldersPerReport = 16;

    // How often the calling thread has gone to sleep of its own accord so far.
    static std::uint64_t ThreadSleeps();

    // One walker's sleeps over its last kFoldersPerReport folders. True when this report finds
    // the walk waiting where it was not before.
    bool Report(std::uint64_t sleeps);
    bool Waiting() const { return m_score.load(std::memory_order_relaxed) > 0; }

private:
    std::atomic<int> m_score{0};
};

} // namespace measure
