#include "chart/PieGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>

namespace chart {

void PrintTo(const RadialPoint& p, std::ostream* os) {
    *os << '(' << p.x << ", " << p.y << ')';
}

} // namespace chart

namespace {

using chart::CalcPiePoint;
using chart::CalcPieSlices;
using chart::kTwelveOClock;
using chart::PieSlice;
using chart::RadialPoint;
using chart::SlotColors;
using Values = std::array<std::uint64_t, chart::kSlotCount>;

constexpr RadialPoint kTopOfCircle{0, -30000};

void ExpectSlice(const PieSlice& slice, int slot, RadialPoint start, RadialPoint end) {
    EXPECT_EQ(slice.slot, slot);
    EXPECT_EQ(slice.colour.Packed(), SlotColors[slot].Packed()) << "slot " << slot;
    EXPECT_EQ(slice.start, start) << "slot " << slot;
    EXPECT_EQ(slice.end, end) << "slot " << slot;
}

// Every wedge must begin where the one before it ended, the first at 12 o'clock.
void ExpectChained(const std::vector<PieSlice>& slices) {
    RadialPoint previous = kTwelveOClock;
    for (const PieSlice& slice : slices) {
        EXPECT_EQ(slice.start, previous) << "slot " << slice.slot;
        previous = slice.end;
    }
}

TEST(CalcPiePoint, WorkedValuesInEveryQuarter) {
    const struct {
        float f;
        RadialPoint point;
    } cases[] = {
        {0.1f, {-17633, -24270}}, {0.25f, {-30000, 0}},   {0.3f, {-28531, 9270}},
        {0.5f, {0, 30000}},       {0.6f, {17633, 24270}}, {0.75f, {30000, 0}},
        {0.9f, {17633, -24270}},  {1.0f, {0, -30000}},
    };
    for (const auto& c : cases) {
        const auto point = CalcPiePoint(c.f);
        ASSERT_TRUE(point.has_value()) << c.f;
        EXPECT_EQ(*point, c.point) << c.f;
    }
}

TEST(CalcPiePoint, NoPointOutsideZeroExcludedToOneIncluded) {
    const float outside[] = {0.0f,
                             -0.0f,
                             -0.5f,
                             std::nextafter(1.0f, 2.0f),
                             std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::quiet_NaN()};
    for (float f : outside) {
        EXPECT_FALSE(CalcPiePoint(f).has_value()) << f;
    }
    EXPECT_TRUE(CalcPiePoint(std::numeric_limits<float>::denorm_min()).has_value());
}

TEST(CalcPieSlices, AllZerosGiveNoSlices) {
    EXPECT_TRUE(CalcPieSlices(Values{}).empty());
}

TEST(CalcPieSlices, LoneSlotFillsTheCircle) {
    Values values{};
    values[0] = 7;
    auto slices = CalcPieSlices(values);
    ASSERT_EQ(slices.size(), 1u);
    ExpectSlice(slices[0], 0, kTwelveOClock, kTwelveOClock);

    values = {};
    values[11] = 7;
    slices = CalcPieSlices(values);
    ASSERT_EQ(slices.size(), 1u);
    ExpectSlice(slices[0], 11, kTwelveOClock, kTopOfCircle);
}

TEST(CalcPieSlices, FiftyThirtyTwenty) {
    const auto slices = CalcPieSlices(Values{50, 30, 20});
    ASSERT_EQ(slices.size(), 3u);
    ExpectSlice(slices[0], 2, kTwelveOClock, {-28531, -9270});
    ExpectSlice(slices[1], 1, {-28531, -9270}, {0, 30000});
    ExpectSlice(slices[2], 0, {0, 30000}, kTwelveOClock);
}

TEST(CalcPieSlices, ThirdsWithoutSlotZeroCloseOnTheCircle) {
    const auto slices = CalcPieSlices(Values{0, 1, 1, 1});
    ASSERT_EQ(slices.size(), 3u);
    ExpectSlice(slices[0], 3, kTwelveOClock, {-25980, 15000});
    ExpectSlice(slices[1], 2, {-25980, 15000}, {25980, 14999});
    ExpectSlice(slices[2], 1, {25980, 14999}, kTopOfCircle);
}

TEST(CalcPieSlices, NegligibleSharesGetNoWedge) {
    auto slices = CalcPieSlices(Values{100000, 1});
    ASSERT_EQ(slices.size(), 1u);
    ExpectSlice(slices[0], 0, kTwelveOClock, kTwelveOClock);

    // 1/100000 rounds to a float just below the threshold.
    slices = CalcPieSlices(Values{99999, 1});
    ASSERT_EQ(slices.size(), 1u);
    ExpectSlice(slices[0], 0, kTwelveOClock, kTwelveOClock);

    // ...and 1/99999 just above it: a thin wedge.
    slices = CalcPieSlices(Values{99998, 1});
    ASSERT_EQ(slices.size(), 2u);
    ExpectSlice(slices[0], 1, kTwelveOClock, {-1, -29999});
    ExpectSlice(slices[1], 0, {-1, -29999}, kTwelveOClock);

    // Just above it too, but both ends truncate to (0, 29999): no wedge, rather than a whole
    // circle over the half drawn before it.
    slices = CalcPieSlices(Values{246723, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 246723});
    ASSERT_EQ(slices.size(), 2u);
    ExpectSlice(slices[0], 11, kTwelveOClock, {0, 29999});
    ExpectSlice(slices[1], 0, {0, 29999}, kTwelveOClock);
}

TEST(CalcPieSlices, TwelveSlotsDrawnHighestFirst) {
    const auto slices = CalcPieSlices(Values{400, 300, 200, 100, 50, 25, 12, 6, 3, 2, 1, 1});
    ASSERT_EQ(slices.size(), 12u);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        EXPECT_EQ(slices[i].slot, 11 - static_cast<int>(i));
    }
    ExpectChained(slices);
    ExpectSlice(slices.front(), 11, kTwelveOClock, {-171, -29999});
    ExpectSlice(slices.back(), 0, {22672, 19645}, kTwelveOClock);
}

TEST(CalcPieSlices, SixtyFourBitValuesKeepTheirProportions) {
    // Every value is a multiple of 2^32: truncated to 32 bits they would all vanish.
    constexpr std::uint64_t kUnit = std::uint64_t{1} << 33;
    const auto slices = CalcPieSlices(Values{50 * kUnit, 30 * kUnit, 20 * kUnit});
    ASSERT_EQ(slices.size(), 3u);
    ExpectSlice(slices[0], 2, kTwelveOClock, {-28531, -9270});
    ExpectSlice(slices[1], 1, {-28531, -9270}, {0, 30000});
    ExpectSlice(slices[2], 0, {0, 30000}, kTwelveOClock);
}

TEST(CalcPieSlices, CumulativeRoundedAboveOneEndsAtTwelveOClock) {
    // Sevenths in single precision add up to a hair above 1. The last wedge must still
    // close the circle rather than end where it started and flood it.
    const auto slices = CalcPieSlices(Values{0, 1, 2, 4});
    ASSERT_EQ(slices.size(), 3u);
    ExpectChained(slices);
    EXPECT_EQ(slices[2].slot, 1);
    EXPECT_EQ(slices[2].end, kTopOfCircle);
    EXPECT_NE(slices[2].start, slices[2].end);
}

} // namespace
