#include "chart/PieGeometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace chart {

namespace {

// The eleven-digit value, not full-precision pi: the boundary points must come out exactly
// as they always have.
constexpr double kPi = 3.1415926535;

// Each quarter folds its angle back into [0, pi/2]; the signs put the point in its quarter.
RadialPoint QuarterPoint(std::int32_t xSign, std::int32_t ySign, double phi) {
    return {xSign * static_cast<std::int32_t>(kPointRadius * std::sin(phi)),
            ySign * static_cast<std::int32_t>(kPointRadius * std::cos(phi))};
}

RadialPoint EndPoint(float cumulative) {
    // Single-precision sums of shares can overshoot 1 by a rounding step. Taken as 1, the
    // wedge ends at 12 o'clock instead of yielding no point and flooding the whole circle.
    return *CalcPiePoint(std::min(cumulative, 1.0f));
}

} // namespace

std::optional<RadialPoint> CalcPiePoint(float f) {
    if (!(f > 0.0f && f <= 1.0f)) {
        return std::nullopt;
    }
    const double theta = kPi * static_cast<double>(f) * 2.0;
    if (f <= 0.25f) {
        return QuarterPoint(-1, -1, theta);
    }
    if (f <= 0.5f) {
        return QuarterPoint(-1, 1, kPi - theta);
    }
    if (f <= 0.75f) {
        return QuarterPoint(1, 1, theta - kPi);
    }
    return QuarterPoint(1, -1, 2.0 * kPi - theta);
}

std::vector<PieSlice> CalcPieSlices(const std::array<std::uint64_t, kSlotCount>& values) {
    const std::uint64_t total = std::accumulate(values.begin(), values.end(), std::uint64_t{0});
    std::vector<PieSlice> slices;
    float cumulative = 0.0f;
    RadialPoint start = kTwelveOClock;
    for (int slot = kSlotCount - 1; slot >= 0; --slot) {
        const std::uint64_t value = values[slot];
        if (value == 0) {
            continue;
        }
        const auto share =
            static_cast<float>(static_cast<double>(value) / static_cast<double>(total));
        if (share <= kSmallestDrawnShare) {
            continue;
        }
        cumulative = share + cumulative;
        // Slot 0 takes up whatever the skipped slots and the rounding left over.
        const RadialPoint end = slot == 0 ? kTwelveOClock : EndPoint(cumulative);
        // Ends that point the same way draw the whole circle. That is right for a share above
        // half, such as a lone slot's; a sliver whose ends truncate to one point gets no wedge.
        if (SameDirection(start, end) && share <= 0.5f) {
            continue;
        }
        slices.push_back({slot, SlotColors[slot], start, end});
        start = end;
    }
    return slices;
}

} // namespace chart
