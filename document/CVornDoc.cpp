#include "document/CVornDoc.h"

int CVornDoc::SetChartSlotChecked(int slot, std::uint64_t kb) {
    if (slot < 0 || slot >= kSlotCount) {
        return 1;
    }
    m_chartSlots[std::size_t(slot)] = kb;
    return 0;
}

std::uint64_t CVornDoc::GetChartSlot(int slot) const {
    return slot < 0 || slot >= kSlotCount ? 0 : m_chartSlots[std::size_t(slot)];
}
