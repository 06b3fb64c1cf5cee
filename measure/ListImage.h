#pragma once

#include "measure/ChartTotals.h"

namespace measure {

// Images of the contents list. Images 0 to 11 show the colours of the chart slots of the same
// numbers: 0 to 9 the ten largest folders, then the further folders and the files.
enum ListImage : int {
    kImageFurtherFolder = ChartTotals::kOtherFoldersSlot,
    kImageFile = ChartTotals::kFilesSlot,
    kImageEmptyFolder,
    kImageEmptyFile,
    kListImageCount,
};

constexpr int kColouredFolders = ChartTotals::kOtherFoldersSlot;

// The coloured images are the slots, one for one; the two white ones follow them.
static_assert(kImageEmptyFolder == ChartTotals::kSlotCount && kListImageCount == 14);

} // namespace measure
