#pragma once

#include <memory>
#include <vector>

#include "measure/RowStore.h"

namespace measure {

// Rows in blocks of bounded length, so that inserting in the middle of a hundred thousand rows
// moves a few hundred of them, not all that follow.
class MemoryRowStore : public RowStore {
public:
    int RowCount() const override { return m_rowCount; }
    const ListRow& Row(int index) const override;
    int InsertRow(int index, ListRow row) override;
    void SetImage(int index, int image) override;
    void SetRatioText(int index, std::string text) override;

    void Clear();

private:
    ListRow& At(int index);
    std::size_t BlockOf(int index) const;
    void RenumberFrom(std::size_t block);

    std::vector<std::vector<ListRow>> m_blocks;
    std::vector<int> m_blockStart; // index of each block's first row
    int m_rowCount = 0;
};

} // namespace measure
