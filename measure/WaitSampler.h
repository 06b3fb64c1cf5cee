#pragma once

#include <cstdint>

#include "measure/DiskWaits.h"

namespace measure {

// One walker thread's reporter to DiskWaits: counts the thread's sleeps inside its walks only,
// not while it waits for work, and reports them every DiskWaits::kFoldersPerReport folders.
class WaitSampler {
public:
    explicit WaitSampler(DiskWaits& waits) : m_waits(waits) {}

    void WalkBegan();
    // Before each folder walked into. True when the report it made found the walk newly waiting.
    bool FolderEntered();
    void WalkEnded();

private:
    void CountSleeps();

    DiskWaits& m_waits;
    std::uint64_t m_mark = 0;   // the thread's sleeps when last looked at inside a walk
    std::uint64_t m_sleeps = 0; // inside walks since the last report
    int m_folders = 0;          // since the last report
};

} // namespace measure
