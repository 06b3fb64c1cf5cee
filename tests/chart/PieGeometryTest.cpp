#include "chart/PieGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using chart::RadialPoint;
using Values = std::array<std::uint64_t, chart::kSlotCount>;

constexpr RadialPoint kTop{0, -30000}; // twelve o'clock on the radius circle
constexpr RadialPoint kTwelve = chart::kTwelveOClock;

// Wedges are drawn highest slot first, each beginning where the one before ended and the first
// at twelve o'clock; only each wedge's slot and end are listed. The ends fall in all four
// quarters.
TEST(CalcPieSlices, WedgesRunFromTwelveHighestSlotFirstAndSkipNegligibleShares) {
    constexpr std::uint64_t kHigh = std::uint64_t{1} << 33; // vanishes if cut to 32 bits
    const std::pair<Values, std::vector<std::pair<int, RadialPoint>>> cases[] = {
        {{}, {}},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}, {{11, kTop}}},
        {{50, 30, 20}, {{2, {-28531, -9270}}, {1, {0, 30000}}, {0, kTwelve}}},
        {{50 * kHigh, 30 * kHigh, 20 * kHigh},
         {{2, {-28531, -9270}}, {1, {0, 30000}}, {0, kTwelve}}},
        {{0, 1, 1, 1}, {{3, {-25980, 15000}}, {2, {25980, 14999}}, {1, kTop}}},
        // Sevenths add up to a hair above one in single precision: the last wedge still closes.
        {{0, 1, 2, 4}, {{3, {13016, 27029}}, {2, {23454, -18704}}, {1, kTop}}},
        // Negligible shares: (as a float) 1/99999 gets no wedge, 1/99998 a thin one.
        {{99999, 1}, {{0, kTwelve}}},
        {{99998, 1}, {{1, {-1, -29999}}, {0, kTwelve}}},
        // Both ends of slot 1 truncate to one point: no wedge, rather than a whole circle.
        {{246723, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 246723}, {{11, {0, 29999}}, {0, kTwelve}}},
    };
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        SCOPED_TRACE(n);
        const auto& [values, expected] = cases[n];
        const std::vector<chart::PieSlice> slices = chart::CalcPieSlices(values);
        ASSERT_EQ(slices.size(), expected.size());
        RadialPoint start = kTwelve;
        for (std::size_t i = 0; i < slices.size(); ++i) {
            EXPECT_EQ(slices[i].slot, expected[i].first);
            EXPECT_EQ(slices[i].start, start) << i;
            EXPECT_EQ(slices[i].end, expected[i].second) << i;
            start = slices[i].end;
        }
    }
}

} // namespace
