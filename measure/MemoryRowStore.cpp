#include "measure/MemoryRowStore.h"

#include <algorithm>

namespace measure {

namespace {

constexpr std::size_t kBlockLimit = 512;

template <typename T> void MoveUpperHalf(std::vector<T>& from, std::vector<T>& to) {
    to.assign(std::make_move_iterator(from.begin() + kBlockLimit / 2),
              std::make_move_iterator(from.end()));
    from.resize(kBlockLimit / 2);
}

} // namespace

std::size_t MemoryRowStore::BlockOf(int index) const {
    auto after = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), index);
    return static_cast<std::size_t>(after - m_blockStart.begin()) - 1;
}

const ListRow& MemoryRowStore::Row(int index) const {
    std::size_t block = BlockOf(index);
    return *m_blocks[block].rows[static_cast<std::size_t>(index - m_blockStart[block])];
}

std::uint64_t MemoryRowStore::SizeAt(int index) const {
    std::size_t block = BlockOf(index);
    return m_blocks[block].sizes[static_cast<std::size_t>(index - m_blockStart[block])];
}

ListRow& MemoryRowStore::At(int index) {
    return const_cast<ListRow&>(Row(index));
}

void MemoryRowStore::RenumberFrom(std::size_t block) {
    m_blockStart.resize(m_blocks.size());
    int start = block == 0 ? 0 : m_blockStart[block - 1] + int(m_blocks[block - 1].rows.size());
    for (std::size_t i = block; i < m_blocks.size(); ++i) {
        m_blockStart[i] = start;
        start += int(m_blocks[i].rows.size());
    }
}

int MemoryRowStore::InsertRow(int index, ListRow row) {
    index = std::clamp(index, 0, m_rowCount);
    if (m_blocks.empty()) {
        m_blocks.emplace_back();
        m_blockStart.push_back(0);
    }
    std::size_t block = index == m_rowCount ? m_blocks.size() - 1 : BlockOf(index);
    Block& target = m_blocks[block];
    std::ptrdiff_t offset = index - m_blockStart[block];
    target.sizes.insert(target.sizes.begin() + offset, row.size);
    target.rows.insert(target.rows.begin() + offset, std::make_unique<ListRow>(std::move(row)));
    if (target.rows.size() > kBlockLimit) {
        Block upper;
        MoveUpperHalf(target.sizes, upper.sizes);
        MoveUpperHalf(target.rows, upper.rows);
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
