#pragma once

#include "chart/PieSlice.h"
#include "chart/PieSpace.h"
#include "chart/SlotColors.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace chart {

// The point on the radius circle at cumulative fraction f, measured from 12 o'clock and
// running counter-clockwise on screen. No point for f outside (0, 1].
std::optional<RadialPoint> CalcPiePoint(float f);

// The wedges for the twelve slot sizes, in drawing order: highest slot first, slot 0 last
// closing the circle at 12 o'clock. Slots with a negligible share get none, nor does a slot of
// at most half the total whose two ends come out in the same direction.
std::vector<PieSlice> CalcPieSlices(const std::array<std::uint64_t, kSlotCount>& values);

} // namespace chart
