#include "measure/CellText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <limits>
#include <string>

#include "measure/DateText.h"
#include "measure/EscapedName.h"

namespace vorn_test {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(CellText, SizeRoundsUpToWholeKilobytes) {
    // Sizes past 2^32 catch any 32-bit step; the largest one any overflow.
    const std::pair<std::uint64_t, const char*> cases[] = {{0, "0 KB"},
                                                           {1, "1 KB"},
                                                           {1024, "1 KB"},
                                                           {1025, "2 KB"},
                                                           {(5ull << 30) + 1, "5242881 KB"},
                                                           {kMax, "18014398509481984 KB"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(measure::SizeText(measure::KilobytesOf(bytes)), text) << bytes;
    }
}

TEST(CellText, RatioHasOneDecimalRoundedHalfUpAndNoShareOfNothing) {
    // Exact halves that a double quotient puts a hair below the half; with kWide, sizes whose
    // product with 1000 needs more than 64 bits.
    constexpr std::uint64_t kWide = std::uint64_t{1} << 52;
    const struct {
        std::uint64_t v;
        std::uint64_t total;
        const char* text;
    } cases[] = {{2, 3, "66.7 %"},
                 {3, 2000, "0.2 %"},
                 {1961, 2000, "98.1 %"},
                 {39 * kWide, 2000 * kWide, "2.0 %"},
                 {39 * kWide - 1, 2000 * kWide, "1.9 %"},
                 {0, 0, "0.0 %"},
                 {42, 0, "0.0 %"},
                 {kMax, 1, "1844674407370955161500.0 %"}};
    for (const auto& c : cases) {
        EXPECT_EQ(measure::RatioText(c.v, c.total), c.text) << c.v << '/' << c.total;
    }
}

TEST(CellText, DatePadsMonthDayAndMinuteButNotHour) {
    // Local times by the C library's fields: second, minute, hour, day, month from 0, years
    // since 1900; whether daylight saving applies is left to it.
    const std::pair<std::tm, const char*> cases[] = {
        {{31, 7, 9, 5, 2, 97, 0, 0, -1, 0, nullptr}, "1997/03/05 9:07"},
        {{0, 10, 10, 10, 9, 96, 0, 0, -1, 0, nullptr}, "1996/10/10 10:10"}};
    for (auto [local, text] : cases) {
        EXPECT_EQ(measure::DateText(std::mktime(&local)), text);
    }
    EXPECT_EQ(measure::DateText(INT64_MAX), "----/--/-- --:--");
}

TEST(CellText, NamesShowValidTextAndEscapeEverythingElse) {
    const std::pair<std::string, const char*> cases[] = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d"},
        {std::string("\x01\x7f\0", 3), "\\x01\\x7F\\x00"},
        {"a\u0085b\u2028", "a\\xC2\\x85b\\xE2\\x80\\xA8"}, // a C1 control, a line separator
        {"\u061C\u200E\u2066", "\\xD8\\x9C\\xE2\\x80\\x8E\\xE2\\x81\\xA6"},
        {"x\u202Egpj.exe", "x\\xE2\\x80\\xAEgpj.exe"},
        {"ﾌｫﾙﾀﾞ 日本 😀\u00A0\u2027\u202F", "ﾌｫﾙﾀﾞ 日本 😀\u00A0\u2027\u202F"},
        {"\xff\xe6\x97", "\\xFF\\xE6\\x97"},                   // invalid, then cut off
        {"\xc0\xaf\xed\xa0\x80", "\\xC0\\xAF\\xED\\xA0\\x80"}, // overlong, surrogate
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"}};         // above U+10FFFF
    for (const auto& [name, shown] : cases) {
        EXPECT_EQ(measure::EscapedName(name), shown);
    }
}

} // namespace

} // namespace vorn_test
