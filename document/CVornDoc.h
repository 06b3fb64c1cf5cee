#pragma once

#include <array>
#include <cstdint>

#include "framework/CDocument.h"
#include "measure/ChartTotals.h"

// The figures one pane computes and the others show: the chart slots and the current total,
// written by the contents list at every fill, and the total of the selected rows.
class CVornDoc : public CDocument, public measure::ChartTotals {
public:
    void ClearChartSlots() override { m_chartSlots.fill(0); }
    int SetChartSlot(int slot, std::uint64_t kb) override;
    std::uint64_t GetChartSlot(int slot) const;
    std::array<std::uint64_t, kSlotCount> ChartSlots() const { return m_chartSlots; }

    void SetCurrentTotal(std::uint64_t bytes) override { m_currentTotal = bytes; }
    std::uint64_t GetCurrentTotal() const { return m_currentTotal; }
    void SetSelectedTotal(std::uint64_t bytes) { m_selectedTotal = bytes; }
    std::uint64_t GetSelectedTotal() const { return m_selectedTotal; }

private:
    std::array<std::uint64_t, kSlotCount> m_chartSlots{};
    std::uint64_t m_currentTotal = 0;
    std::uint64_t m_selectedTotal = 0;
};
