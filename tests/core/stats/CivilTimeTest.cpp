#include "StatsTestUtil.h"

#include <gtest/gtest.h>

TEST(CivilTime, DatesDayNumbersAndWeekdays)
{
    struct Case {
        int year, month, day;
        std::int64_t number;
        const char* date;  // as the day number reads back
        int weekday;      // 0 Monday
    } cases[] = {
        {1970, 1, 1, 0, "1970-01-01", 3},
        {1969, 12, 31, -1, "1969-12-31", 2},
        {2000, 2, 29, 11016, "2000-02-29", 1},
        {2009, 3, 7, 14310, "2009-03-07", 5},
        {2100, 3, 1, 47541, "2100-03-01", 0},
        {2009, 2, 31, 14306, "2009-03-03", 1},  // a day past the month's end rolls over
        {1, 1, 1, -719162, "0001-01-01", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        std::int64_t number = CivilTime::DayNumber(c.year, c.month, c.day);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(DateText(number), c.date);
        EXPECT_EQ(CivilTime::Weekday(number), c.weekday);
    }
}
