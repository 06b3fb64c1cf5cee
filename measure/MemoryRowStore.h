#pragma once

#include <memory>
#include <vector>

#include "measure/RowStore.h"

namespace measure {

// Rows in blocks of bounded length, so that inserting in the middle of a hundred thousand rows
// moves a few hundred row pointers, not all the rows that follow.
class MemoryRowStore : public RowStore {
public:
    int RowCount() const override { return m_rowCount; }
    const ListRow& Row(int index) const override;
    std::uint64_t SizeAt(int index) const override;
    int InsertRow(int index, ListRow row) override;
    void SetImage(int index, int image) override;
    void SetRatioText(int index, std::string text) override;

    void Clear();

private:
    ListRow& At(int index);
    std::size_t BlockOf(int index) const;
    void RenumberFrom(std::size_t block);

    struct Block {
        std::vector<std::uint64_t> sizes; // beside the rows, for searches that touch no row
        std::vector<std::unique_ptr<ListRow>> rows;
    };

    std::vector<Block> m_blocks;
    std::vector<int> m_blockStart; // index of each block's first row
    int m_rowCount = 0;
};

} // namespace measure
