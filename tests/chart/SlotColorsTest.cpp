#include "chart/SlotColors.h"

#include <gtest/gtest.h>

namespace {

TEST(SlotColors, PackedPutsRedLowestThenGreenThenBlue) {
    EXPECT_EQ(chart::SlotColors[4].Packed(), 0x0080FFu); // orange
    EXPECT_EQ(chart::SlotColors[9].Packed(), 0xC080FFu); // pink
    EXPECT_EQ(chart::SlotColors[2].Packed(), 0xFF0000u); // blue
}

} // namespace
