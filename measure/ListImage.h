#pragma once

namespace measure {

// Images of the contents list. Images 0 to 9 are the colours of the ten largest folders and
// match the chart slots of the same numbers.
enum ListImage : int {
    kImageFurtherFolder = 10,
    kImageFile = 11,
    kImageEmptyFolder = 12,
    kImageEmptyFile = 13,
    kListImageCount = 14,
};

constexpr int kColouredFolders = 10;

} // namespace measure
