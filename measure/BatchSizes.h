#pragma once

#include <cstdint>

#include "measure/NameBatch.h"

namespace measure {

// The sizes of the entries `names` of the open folder folderFd added to `sum`, links as links;
// `complete` falls when one that was there could not be read.
void AddSizes(int folderFd, const NameBatch& names, std::uint64_t& sum, bool& complete);

} // namespace measure
