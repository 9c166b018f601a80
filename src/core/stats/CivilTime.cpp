#include "stats/CivilTime.h"

// Day numbers from and to dates after the proleptic Gregorian calendar's 400-year cycle
// (146097 days), counted from 0000-03-01 so that the leap day ends each year.
namespace CivilTime {

std::int64_t DayNumber(std::int64_t year, int month, int day)
{
    year -= month <= 2;
    std::int64_t era = FloorDiv(year, 400);
    std::int64_t yearOfEra = year - era * 400;
    std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date DateOf(std::int64_t dayNumber)
{
    dayNumber += 719468;
    std::int64_t era = FloorDiv(dayNumber, 146097);
    std::int64_t dayOfEra = dayNumber - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    Date date;
    date.day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    date.month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2);
    return date;
}

int Weekday(std::int64_t dayNumber)
{
    // 1970-01-01 was a Thursday.
    return static_cast<int>(dayNumber + 3 - FloorDiv(dayNumber + 3, 7) * 7);
}

std::int64_t MonthNumber(std::int64_t dayNumber)
{
    Date date = DateOf(dayNumber);
    return date.year * 12 + date.month - 1;
}

std::int64_t FirstDayOfMonth(std::int64_t monthNumber)
{
    std::int64_t year = FloorDiv(monthNumber, 12);
    return DayNumber(year, static_cast<int>(monthNumber - year * 12) + 1, 1);
}

}  // namespace CivilTime
