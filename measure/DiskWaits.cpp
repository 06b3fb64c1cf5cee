#include "measure/DiskWaits.h"

#include <sys/resource.h>

namespace measure {

namespace {

// A few sleeps in a report may be a contended lock or a page brought in from the disk; a
// quarter of the folders means the folders themselves are read from the disk.
constexpr std::uint64_t kSleepsOfWaiting = DiskWaits::kFoldersPerReport / 4;

// Reports without waiting that it takes to find the walk no longer waiting: a walk whose
// folders are mostly read from the disk stays waiting across the few that are cached.
constexpr int kReportsRemembered = 4;

} // namespace

std::uint64_t DiskWaits::ThreadSleeps() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return static_cast<std::uint64_t>(usage.ru_nvcsw);
}

bool DiskWaits::Report(std::uint64_t sleeps) {
    if (sleeps >= kSleepsOfWaiting) {
        return m_score.exchange(kReportsRemembered, std::memory_order_relaxed) == 0;
    }
    int score = m_score.load(std::memory_order_relaxed);
    while (score > 0 &&
           !m_score.compare_exchange_weak(score, score - 1, std::memory_order_relaxed)) {
    }
    return false;
}

} // namespace measure
