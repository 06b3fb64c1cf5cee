#include "document/CVornDoc.h"

int CVornDoc::SetChartSlot(int slot, std::uint64_t kb) {
    if (!IsSlot(slot)) {
        return 1;
    }
    m_chartSlots[std::size_t(slot)] = kb;
    return 0;
}

std::uint64_t CVornDoc::GetChartSlot(int slot) const {
    return IsSlot(slot) ? m_chartSlots[std::size_t(slot)] : 0;
}
