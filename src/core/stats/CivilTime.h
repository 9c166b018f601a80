#pragma once

#include <cstdint>

// Calendar arithmetic on local wall-clock times without a zone: a day number counts days
// from 1970-01-01, a local time counts seconds from 1970-01-01 00:00:00 (day × 86400 +
// second of the day). Dates out of their month's range roll over (2009-02-31 is
// 2009-03-03), as a calendar would count them on.
namespace CivilTime {

constexpr std::int64_t kDaySeconds = 86400;

struct Date {
    std::int64_t year = 1970;
    int month = 1;  // 1-12
    int day = 1;   // 1-31
};

std::int64_t DayNumber(std::int64_t year, int month, int day);
Date DateOf(std::int64_t dayNumber);
// 0 for Monday ... 6 for Sunday.
int Weekday(std::int64_t dayNumber);
// Months from year 0 (year × 12 + month - 1).
std::int64_t MonthNumber(std::int64_t dayNumber);
// The day number of a month number's first day.
std::int64_t FirstDayOfMonth(std::int64_t monthNumber);

inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
inline std::int64_t DayOf(std::int64_t localSeconds)
{
    return FloorDiv(localSeconds, kDaySeconds);
}
inline int SecondOfDay(std::int64_t localSeconds)
{
    return static_cast<int>(localSeconds - DayOf(localSeconds) * kDaySeconds);
}

}  // namespace CivilTime
