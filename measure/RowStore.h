#pragma once

#include <cstdint>

#include "measure/ListRow.h"

namespace measure {

// The rows of the contents list as the fill sees them: the window's list model and the
// in-memory store of the tools and tests both provide it.
class RowStore {
public:
    virtual ~RowStore() = default;

    virtual int RowCount() const = 0;
    virtual const ListRow& Row(int index) const = 0;
    // Inserts the row, a copy of its name included, before `index` and returns where it landed.
    virtual int InsertRow(int index, const ListRow& row) = 0;
    virtual void SetImage(int index, int image) = 0;
    // From now on every row's "Ratio" cell is its share of `total`; until then it is empty.
    virtual void SetRatioTotal(std::uint64_t total) = 0;
};

} // namespace measure
