#pragma once

#include "chart/PieSpace.h"
#include "chart/SlotColors.h"

namespace chart {

// One wedge, swept counter-clockwise on screen from start to end; when both point the
// same way it fills the whole circle.
struct PieSlice {
    int slot;
    SlotColor colour;
    RadialPoint start;
    RadialPoint end;
};

} // namespace chart
