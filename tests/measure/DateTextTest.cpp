#include "measure/DateText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "support/LocalTime.h"

namespace {

using measure::FormatDate;
using testsupport::LocalTime;

std::string Formatted(const std::tm& t) {
    char buffer[measure::kDateBufferSize];
    return FormatDate(t, buffer);
}

TEST(FormatDate, PadsMonthDayAndMinuteButNotHour) {
    EXPECT_EQ(Formatted(LocalTime(1997, 3, 5, 9, 7, 31)), "1997/03/05 9:07");
    EXPECT_EQ(Formatted(LocalTime(1997, 12, 25, 23, 59, 59)), "1997/12/25 23:59");
    EXPECT_EQ(Formatted(LocalTime(1998, 1, 1, 0, 0)), "1998/01/01 0:00");
    EXPECT_EQ(Formatted(LocalTime(1996, 10, 10, 10, 10)), "1996/10/10 10:10");
    EXPECT_EQ(Formatted(LocalTime(1997, 3, 5, 9, 5)), "1997/03/05 9:05");
}

TEST(FormatDate, ExtremeYearsFitTheBuffer) {
    std::tm t = LocalTime(2000, 12, 31, 23, 59);
    t.tm_year = INT_MAX;
    EXPECT_EQ(Formatted(t), "2147485547/12/31 23:59");
    t.tm_year = INT_MIN;
    EXPECT_EQ(Formatted(t), "-2147481748/12/31 23:59");
}

// Pins the local time zone to UTC so that write times map to known dates.
class DateTextInUtc : public testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) {
            m_savedTz = tz;
        }
        setenv("TZ", "UTC", 1);
        tzset();
    }

    void TearDown() override {
        if (m_savedTz) {
            setenv("TZ", m_savedTz->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> m_savedTz;
};

TEST_F(DateTextInUtc, WriteTimesInLocalTime) {
    EXPECT_EQ(measure::DateText(857552851), "1997/03/05 9:07");  // 1997-03-05 09:07:31
    EXPECT_EQ(measure::DateText(883094399), "1997/12/25 23:59"); // 1997-12-25 23:59:59
    EXPECT_EQ(measure::DateText(0), "1970/01/01 0:00");
}

TEST_F(DateTextInUtc, UnconvertibleTimeHasAPlaceholder) {
    EXPECT_EQ(measure::DateText(INT64_MAX), "----/--/-- --:--");
    EXPECT_EQ(measure::DateText(INT64_MIN), "----/--/-- --:--");
}

} // namespace
