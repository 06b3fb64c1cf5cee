#include "measure/CellText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using measure::ByteText;
using measure::KilobytesOf;
using measure::RatioText;
using measure::SizeText;

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(SizeText, KilobytesRoundUpAndBytesReadBack) {
    const struct {
        std::uint64_t bytes;
        const char* size;
        const char* byteText;
    } cases[] = {
        {0, "0 KB", "0"},
        {1, "1 KB", "1"},
        {1024, "1 KB", "1024"},
        {1025, "2 KB", "1025"},
        {1048576, "1024 KB", "1048576"},
        {2147483648, "2097152 KB", "2147483648"},
        {3000000000, "2929688 KB", "3000000000"},
        {4294967295, "4194304 KB", "4294967295"},
        {5ull << 30, "5242880 KB", "5368709120"},
        {(5ull << 30) + 1, "5242881 KB", "5368709121"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeText(KilobytesOf(c.bytes)), c.size) << c.bytes;
        EXPECT_EQ(ByteText(c.bytes), c.byteText);
    }
}

TEST(SizeText, LargestSizeDoesNotOverflow) {
    EXPECT_EQ(KilobytesOf(kMax), std::uint64_t{1} << 54);
    EXPECT_EQ(ByteText(kMax), "18446744073709551615");
}

TEST(RatioText, OneDecimalRoundedHalfUp) {
    // From 3/2000 on, exact halves that a double quotient puts a hair below the half; with
    // kWide, sizes whose product with 1000 needs more than 64 bits.
    constexpr std::uint64_t kWide = std::uint64_t{1} << 52;
    const struct {
        std::uint64_t v;
        std::uint64_t total;
        const char* text;
    } cases[] = {
        {1, 1, "100.0 %"},
        {5, 10, "50.0 %"},
        {1, 3, "33.3 %"},
        {2, 3, "66.7 %"},
        {3, 7, "42.9 %"},
        {1, 1000, "0.1 %"},
        {1, 400, "0.3 %"},
        {1, 2000, "0.1 %"},
        {1, 3000, "0.0 %"},
        {9999, 10000, "100.0 %"},
        {399, 400, "99.8 %"},
        {3, 2000, "0.2 %"},
        {39, 2000, "2.0 %"},
        {1961, 2000, "98.1 %"},
        {39 * kWide, 2000 * kWide, "2.0 %"},
        {39 * kWide - 1, 2000 * kWide, "1.9 %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RatioText(c.v, c.total), c.text) << c.v << '/' << c.total;
    }
}

TEST(RatioText, EmptyRowOrEmptyTotalShowsNoShare) {
    EXPECT_EQ(RatioText(0, 0), "0.0 %");
    EXPECT_EQ(RatioText(0, 12345), "0.0 %");
    EXPECT_EQ(RatioText(42, 0), "0.0 %");
}

TEST(RatioText, ShareAboveTheTotal) {
    EXPECT_EQ(RatioText(3000000000, 1000000000), "300.0 %");
    EXPECT_EQ(RatioText(kMax, 1), "1844674407370955161500.0 %");
}

} // namespace
