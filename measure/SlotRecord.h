#pragma once

#include <array>

#include "measure/ChartTotals.h"

namespace measure {

// The figures of one fill kept as plain values, for the tools and the tests.
class SlotRecord : public ChartTotals {
public:
    void SetCurrentTotal(std::uint64_t bytes) override { m_currentTotal = bytes; }
    void ClearChartSlots() override { m_slots.fill(0); }
    int SetChartSlot(int slot, std::uint64_t kb) override {
        if (!IsSlot(slot)) {
            return 1;
        }
        m_slots[std::size_t(slot)] = kb;
        return 0;
    }

    std::uint64_t CurrentTotal() const { return m_currentTotal; }
    const std::array<std::uint64_t, kSlotCount>& Slots() const { return m_slots; }

private:
    std::uint64_t m_currentTotal = 0;
    std::array<std::uint64_t, kSlotCount> m_slots{};
};

} // namespace measure
