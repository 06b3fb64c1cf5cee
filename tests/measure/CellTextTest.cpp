#include "measure/CellText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ctime>
#include <limits>
#include <string>

#include "measure/DateText.h"
#include "measure/EscapedName.h"
#include "support/LocalTime.h"

namespace vorn_test {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(CellText, SizeRoundsUpToWholeKilobytesAndBytesReadBack) {
    // Sizes around 2^31 and 2^32 catch any 32-bit step; the largest one any overflow.
    const struct {
        std::uint64_t bytes;
        const char* size;
        const char* byteText;
    } cases[] = {
        {0, "0 KB", "0"},
        {1, "1 KB", "1"},
        {1024, "1 KB", "1024"},
        {1025, "2 KB", "1025"},
        {3000000000, "2929688 KB", "3000000000"},
        {4294967295, "4194304 KB", "4294967295"},
        {(5ull << 30) + 1, "5242881 KB", "5368709121"},
        {kMax, "18014398509481984 KB", "18446744073709551615"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(measure::SizeText(measure::KilobytesOf(c.bytes)), c.size) << c.bytes;
        EXPECT_EQ(measure::ByteText(c.bytes), c.byteText);
    }
}

TEST(CellText, RatioHasOneDecimalRoundedHalfUpAndNoShareOfNothing) {
    // From 3/2000 on, exact halves that a double quotient puts a hair below the half; with
    // kWide, sizes whose product with 1000 needs more than 64 bits.
    constexpr std::uint64_t kWide = std::uint64_t{1} << 52;
    const struct {
        std::uint64_t v;
        std::uint64_t total;
        const char* text;
    } cases[] = {
        {1, 1, "100.0 %"},
        {1, 3, "33.3 %"},
        {2, 3, "66.7 %"},
        {1, 2000, "0.1 %"},
        {1, 3000, "0.0 %"},
        {9999, 10000, "100.0 %"},
        {3, 2000, "0.2 %"},
        {39, 2000, "2.0 %"},
        {1961, 2000, "98.1 %"},
        {39 * kWide, 2000 * kWide, "2.0 %"},
        {39 * kWide - 1, 2000 * kWide, "1.9 %"},
        {0, 0, "0.0 %"},
        {0, 12345, "0.0 %"},
        {42, 0, "0.0 %"},
        {3000000000, 1000000000, "300.0 %"},
        {kMax, 1, "1844674407370955161500.0 %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(measure::RatioText(c.v, c.total), c.text) << c.v << '/' << c.total;
    }
}

TEST(CellText, DatePadsMonthDayAndMinuteButNotHour) {
    const struct {
        std::tm local;
        const char* text;
    } cases[] = {{testsupport::LocalTime(1997, 3, 5, 9, 7, 31), "1997/03/05 9:07"},
                 {testsupport::LocalTime(1997, 12, 25, 23, 59, 59), "1997/12/25 23:59"},
                 {testsupport::LocalTime(1998, 1, 1, 0, 0), "1998/01/01 0:00"},
                 {testsupport::LocalTime(1996, 10, 10, 10, 10), "1996/10/10 10:10"}};
    for (auto c : cases) {
        char buffer[measure::kDateBufferSize];
        EXPECT_EQ(std::string(measure::FormatDate(c.local, buffer)), c.text);
        EXPECT_EQ(measure::DateText(std::mktime(&c.local)), c.text) << "in local time";
    }
    char buffer[measure::kDateBufferSize];
    std::tm extreme = testsupport::LocalTime(2000, 12, 31, 23, 59);
    extreme.tm_year = INT_MIN;
    EXPECT_EQ(std::string(measure::FormatDate(extreme, buffer)), "-2147481748/12/31 23:59");
    EXPECT_EQ(measure::DateText(INT64_MAX), "----/--/-- --:--");
    EXPECT_EQ(measure::DateText(INT64_MIN), "----/--/-- --:--");
}

TEST(CellText, NamesShowValidTextAndEscapeEverythingElse) {
    const struct {
        std::string name;
        const char* shown;
    } cases[] = {
        {"a\tb\nc\\d", "a\\tb\\nc\\\\d"},
        {std::string("\x01\x1f\x7f", 3), "\\x01\\x1F\\x7F"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"a\u0085b\u009F", "a\\xC2\\x85b\\xC2\\x9F"},           // C1 controls
        {"a\u2028b\u2029", "a\\xE2\\x80\\xA8b\\xE2\\x80\\xA9"}, // separators
        {"\u061C\u200E\u200F\u202A\u2066\u2069",
         "\\xD8\\x9C\\xE2\\x80\\x8E\\xE2\\x80\\x8F\\xE2\\x80\\xAA\\xE2\\x81\\xA6\\xE2\\x81\\xA9"},
        {"x\u202Egpj.exe", "x\\xE2\\x80\\xAEgpj.exe"}, // right-to-left override
        {"ﾌｫﾙﾀﾞ 日本 😀\u00A0\u2027\u202F\u2065\u206A",
         "ﾌｫﾙﾀﾞ 日本 😀\u00A0\u2027\u202F\u2065\u206A"},
        {"\xff\xfe", "\\xFF\\xFE"},
        {"\xe6\x97", "\\xE6\\x97"},                   // cut-off sequence
        {"\xc0\xaf", "\\xC0\\xAF"},                   // overlong form
        {"\xed\xa0\x80", "\\xED\\xA0\\x80"},          // surrogate
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"}, // above U+10FFFF
        {"caf\xe9.txt", "caf\\xE9.txt"}};
    for (const auto& c : cases) {
        EXPECT_EQ(measure::EscapedName(c.name), c.shown);
    }
}

} // namespace

} // namespace vorn_test
