#include "measure/MemoryRowStore.h"

#include <algorithm>
#include <cstring>

#include "measure/CellText.h"

namespace measure {

namespace {

constexpr std::size_t kBlockLimit = 512;
// Far above the longest name a file system gives (255 bytes).
constexpr std::size_t kNameChunk = 64 * 1024;

} // namespace

std::size_t MemoryRowStore::BlockOf(int index) const {
    auto after = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), index);
    return static_cast<std::size_t>(after - m_blockStart.begin()) - 1;
}

const ListRow& MemoryRowStore::Row(int index) const {
    const std::size_t block = BlockOf(index);
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

std::string_view MemoryRowStore::Keep(std::string_view name) {
    if (m_names.empty() || m_nameUsed + name.size() > kNameChunk) {
        m_names.push_back(
            std::make_unique_for_overwrite<char[]>(std::max(kNameChunk, name.size())));
        m_nameUsed = 0;
    }
    char* at = m_names.back().get() + m_nameUsed;
    if (!name.empty()) {
        std::memcpy(at, name.data(), name.size());
    }
    m_nameUsed += name.size();
    return {at, name.size()};
}

// Halves a full block.
void MemoryRowStore::Split(std::size_t block) {
    std::vector<ListRow>& full = m_blocks[block];
    std::vector<ListRow> upper;
    upper.reserve(kBlockLimit);
    upper.assign(full.begin() + kBlockLimit / 2, full.end());
    full.resize(kBlockLimit / 2);
    m_blocks.insert(m_blocks.begin() + std::ptrdiff_t(block) + 1, std::move(upper));
    RenumberFrom(block);
}

int MemoryRowStore::InsertRow(int index, const ListRow& row) {
    index = std::clamp(index, 0, m_rowCount);
    // Rows added at the end start a new block when the last is full; elsewhere a full block
    // splits before it grows, so no block ever holds more room than it was given.
    if (index == m_rowCount && (m_blocks.empty() || m_blocks.back().size() == kBlockLimit)) {
        m_blocks.emplace_back().reserve(kBlockLimit);
        m_blockStart.push_back(m_rowCount);
    }
    std::size_t block = index == m_rowCount ? m_blocks.size() - 1 : BlockOf(index);
    if (m_blocks[block].size() == kBlockLimit) {
        Split(block);
        block = BlockOf(index);
    }
    std::vector<ListRow>& target = m_blocks[block];
    ListRow kept = row;
    kept.name = Keep(row.name);
    target.insert(target.begin() + (index - m_blockStart[block]), kept);
    ++m_rowCount;
    RenumberFrom(block + 1);
    return index;
}

void MemoryRowStore::SetImage(int index, int image) {
    At(index).image = static_cast<std::uint8_t>(image);
}

std::string MemoryRowStore::RatioCell(int index) const {
    return m_ratioTotal ? RatioText(Row(index).size, *m_ratioTotal) : std::string();
}

void MemoryRowStore::Clear() {
    m_blocks.clear();
    m_blockStart.clear();
    m_rowCount = 0;
    m_names.clear();
    m_nameUsed = 0;
    m_ratioTotal.reset();
}

} // namespace measure
