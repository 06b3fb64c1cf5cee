#pragma once

#include <array>
#include <cstdint>

namespace chart {

// Slots 0-9: the ten largest sub-folders, 10: all further sub-folders, 11: all files.
inline constexpr int kSlotCount = 12;

struct SlotColor {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// One colour per slot, shared by the list's row icon and the chart's wedge so the two match.
inline constexpr std::array<SlotColor, kSlotCount> SlotColors{{
    {255, 0, 0},     // red
    {255, 255, 0},   // yellow
    {0, 0, 255},     // blue
    {0, 255, 0},     // green
    {255, 128, 0},   // orange
    {128, 255, 255}, // sky blue
    {255, 0, 255},   // purple
    {128, 255, 128}, // grass green
    {128, 0, 0},     // brown
    {255, 128, 192}, // pink
    {255, 255, 160}, // pale yellow
    {192, 192, 192}, // grey
}};

} // namespace chart
