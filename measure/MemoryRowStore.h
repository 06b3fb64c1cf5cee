#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measure/RowStore.h"

namespace measure {

// Rows by value in blocks of bounded length, so that inserting in the middle of a million rows
// moves a few hundred rows, not all that follow; their names packed in large chunks, each name
// once.
class MemoryRowStore : public RowStore {
public:
    int RowCount() const override { return m_rowCount; }
    const ListRow& Row(int index) const override;
    int InsertRow(int index, const ListRow& row) override;
    void SetImage(int index, int image) override;
    void SetRatioTotal(std::uint64_t total) override { m_ratioTotal = total; }

    // The "Ratio" cell of a row.
    std::string RatioCell(int index) const;
    void Clear();

private:
    ListRow& At(int index);
    std::size_t BlockOf(int index) const;
    void RenumberFrom(std::size_t block);
    void Split(std::size_t block);
    std::string_view Keep(std::string_view name);

    std::vector<std::vector<ListRow>> m_blocks;
    std::vector<int> m_blockStart; // index of each block's first row
    int m_rowCount = 0;
    std::vector<std::unique_ptr<char[]>> m_names;
    std::size_t m_nameUsed = 0; // of the last chunk of names
    std::optional<std::uint64_t> m_ratioTotal;
};

} // namespace measure
