#pragma once

#include <cstdint>

namespace measure {

// Where a fill leaves the figures that the chart and the disk figures show: the document in
// the application, a plain record in the tools and tests.
class ChartTotals {
public:
    static constexpr int kSlotCount = 12;
    static constexpr int kOtherFoldersSlot = 10;
    static constexpr int kFilesSlot = 11;

    virtual ~ChartTotals() = default;
    virtual void SetCurrentTotal(std::uint64_t bytes) = 0;
    virtual void ClearChartSlots() = 0;
    // 0 when stored; 1 for a slot outside 0 to 11, which stores nothing.
    virtual int SetChartSlot(int slot, std::uint64_t kb) = 0;

protected:
    static bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
};

} // namespace measure
