#pragma once

#include <cstdint>

namespace chart {

// A point in the chart's drawing space: origin at the pane's centre, y growing downwards.
// Only its direction from the centre matters to the pie primitive.
struct RadialPoint {
    std::int32_t x;
    std::int32_t y;

    friend bool operator==(const RadialPoint&, const RadialPoint&) = default;
};

// Whether two points lie in the same direction from the centre, which is all the pie primitive
// sees of them: a wedge between two such points is the whole circle.
constexpr bool SameDirection(const RadialPoint& a, const RadialPoint& b) {
    const std::int64_t cross = std::int64_t{a.x} * b.y - std::int64_t{a.y} * b.x;
    const std::int64_t dot = std::int64_t{a.x} * b.x + std::int64_t{a.y} * b.y;
    return cross == 0 && dot > 0;
}

// Logical units spanning the shorter side of the chart pane, same scale on both axes.
inline constexpr std::int32_t kDrawingSpan = 640;

// The pie's bounding box: a circle of 290 units around the origin.
inline constexpr std::int32_t kPieBoxLeft = -290;
inline constexpr std::int32_t kPieBoxTop = -290;
inline constexpr std::int32_t kPieBoxRight = 290;
inline constexpr std::int32_t kPieBoxBottom = 290;

// Where the first wedge starts and slot 0's wedge ends. Deliberately not on the radius
// circle, and -32767 rather than -32768.
inline constexpr RadialPoint kTwelveOClock{0, -32767};

// Every other wedge boundary lies on this circle, to within truncation.
inline constexpr double kPointRadius = 30000.0;

// A slot whose share is at most this gets no wedge of its own.
inline constexpr double kSmallestDrawnShare = 0.00001;

} // namespace chart
