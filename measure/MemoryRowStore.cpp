#include "measure/MemoryRowStore.h"

#include <algorithm>

namespace measure {

namespace {

constexpr std::size_t kBlockLimit = 512;

} // namespace

std::size_t MemoryRowStore::BlockOf(int index) const {
    auto after = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), index);
    return static_cast<std::size_t>(after - m_blockStart.begin()) - 1;
}

const ListRow& MemoryRowStore::Row(int index) const {
    std::size_t block = BlockOf(index);
    return m_blocks[block][static_cast<std::size_t>(index - m_blockStart[block])];
}

ListRow& MemoryRowStore::At(int index) {
    return const_cast<ListRow&>(Row(index));
}

void MemoryRowStore::RenumberFrom(std::size_t block) {
    m_blockStart.resize(m_blocks.size());
    int start = block == 0 ? 0 : m_blockStart[block - 1] + int(m_blocks[block - 1].size());
    for (std::size_t i = block; i < m_blocks.size(); ++i) {
        m_blockStart[i] = start;
        start += int(m_blocks[i].size());
    }
}

int MemoryRowStore::InsertRow(int index, ListRow row) {
    index = std::clamp(index, 0, m_rowCount);
    if (m_blocks.empty()) {
        m_blocks.emplace_back();
        m_blockStart.push_back(0);
    }
    std::size_t block = index == m_rowCount ? m_blocks.size() - 1 : BlockOf(index);
    std::vector<ListRow>& rows = m_blocks[block];
    rows.insert(rows.begin() + (index - m_blockStart[block]), std::move(row));
    if (rows.size() > kBlockLimit) {
        std::vector<ListRow> upper(std::make_move_iterator(rows.begin() + kBlockLimit / 2),
                                   std::make_move_iterator(rows.end()));
        rows.resize(kBlockLimit / 2);
        m_blocks.insert(m_blocks.begin() + std::ptrdiff_t(block) + 1, std::move(upper));
    }
    ++m_rowCount;
    RenumberFrom(block);
    return index;
}

void MemoryRowStore::SetImage(int index, int image) {
    At(index).image = image;
}

void MemoryRowStore::SetRatioText(int index, std::string text) {
    At(index).ratioText = std::move(text);
}

void MemoryRowStore::Clear() {
    m_blocks.clear();
    m_blockStart.clear();
    m_rowCount = 0;
}

} // namespace measure
