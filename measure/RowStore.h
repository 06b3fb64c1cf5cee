#pragma once

#include <cstdint>
#include <string>

#include "measure/ListRow.h"

namespace measure {

// The rows of the contents list as the fill sees them: the window's list model and the
// in-memory store of the tools and tests both provide it.
class RowStore {
public:
    virtual ~RowStore() = default;

    virtual int RowCount() const = 0;
    virtual const ListRow& Row(int index) const = 0;
    // The byte size of a row; the insertion search reads many, so a store may keep them close.
    virtual std::uint64_t SizeAt(int index) const { return Row(index).size; }
    // Inserts before `index` and returns where the row landed.
    virtual int InsertRow(int index, ListRow row) = 0;
    virtual void SetImage(int index, int image) = 0;
    virtual void SetRatioText(int index, std::string text) = 0;
};

} // namespace measure
