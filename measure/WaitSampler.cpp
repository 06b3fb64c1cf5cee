#include "measure/WaitSampler.h"

namespace measure {

void WaitSampler::WalkBegan() {
    m_mark = DiskWaits::ThreadSleeps();
}

bool WaitSampler::FolderEntered() {
    if (++m_folders < DiskWaits::kFoldersPerReport) {
        return false;
    }
    CountSleeps();
    const bool began = m_waits.Report(m_sleeps);
    m_sleeps = 0;
    m_folders = 0;
    return began;
}

void WaitSampler::WalkEnded() {
    CountSleeps();
}

void WaitSampler::CountSleeps() {
    const std::uint64_t now = DiskWaits::ThreadSleeps();
    m_sleeps += now - m_mark;
    m_mark = now;
}

} // namespace measure
