#include "history/CPlayTime.h"

#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kEpochYear = 2008;

bool IsLeapYear(std::int64_t year)
{
    return (year % 400 == 0) || (year % 4 == 0 && year % 100 != 0);
}

// Floor division for possibly negative numerators (the divisor is positive).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Leap years in 1 .. year (proleptic Gregorian calendar; negative for years before 1).
std::int64_t LeapYearsThrough(std::int64_t year)
{
    return FloorDiv(year, 4) - FloorDiv(year, 100) + FloorDiv(year, 400);
}

// Days from 1 January of the epoch year to 1 January of `year` (negative before it).
std::int64_t DaysToYear(std::int64_t year)
{
    std::int64_t years = year - kEpochYear;
    return years * 365 + LeapYearsThrough(year - 1) - LeapYearsThrough(kEpochYear - 1);
}

// Days from 1 January to the first of `month` in `year`; months outside 1-12 count as
// far as the calendar goes (0 for anything below 2, the whole year above 12).
std::int64_t DaysToMonth(std::int64_t year, std::int64_t month)
{
    static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::int64_t days = 0;
    std::int64_t last = std::clamp<std::int64_t>(month - 1, 0, 12);
    for (int m = 1; m <= last; ++m)
        days += (m == 2 && IsLeapYear(year)) ? 29 : kLength[m - 1];
    return days;
}

int Saturate(std::int64_t value)
{
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lo, hi));
}

}  // namespace

void CPlayTime::Clear()
{
    *this = CPlayTime{};
}

// The stamp is a signed 32-bit count of seconds, so it runs out at 2076-01-19 03:14:07.
// It is computed in 64 bits and held at the largest (or smallest) 32-bit value beyond
// that range; moments before 2008 give negative stamps. Durations never depend on it:
// they come from the monotonic clock.
int CPlayTime::StampOfFields() const
{
    std::int64_t days = DaysToYear(m_nYear) + DaysToMonth(m_nYear, m_nMonth) + m_nDay - 1;
    std::int64_t seconds = ((days * 24 + m_nHour) * 60 + m_nMinute) * 60 + m_nSecond;
    return Saturate(seconds);
}

int CPlayTime::ComputeStamp()
{
    m_nStamp = StampOfFields();
    return m_nStamp;
}

void CPlayTime::SetMoment(const LocalDateTime& when)
{
    m_nYear = when.year;
    m_nMonth = when.month;
    m_nDay = when.day;
    m_nHour = when.hour;
    m_nMinute = when.minute;
    m_nSecond = when.second;
}

// Takes the session's start: the local date and time (what the log shows) and the
// monotonic reading that Measure() counts from. The elapsed fields are cleared, so a
// session whose end cannot be measured counts as 0 s.
bool CPlayTime::Start()
{
    const IClock& clock = Clock::Get();
    LocalDateTime now = clock.Now();
    if (now.year < kEpochYear) {
        Messenger::Show("日付が異常です. システムの時計を合わせて下さい.");
        return false;
    }
    SetMoment(now);
    ComputeStamp();
    m_nMonotonicMs = clock.MonotonicMs();
    m_nElapsed = 0;
    SplitElapsed();
    return true;
}

// The elapsed time is the monotonic time since Start() in whole seconds: a clock step, a
// daylight-saving change or a suspended machine does not change it. The wall clock is
// still checked, as a clock before 2008 means the date logged with the next session
// would be wrong as well.
int CPlayTime::Measure()
{
    const IClock& clock = Clock::Get();
    if (clock.Now().year < kEpochYear) {
        Messenger::Show("日付が異常です. システムの時計を確認して下さい.");
        return 0;
    }
    std::int64_t elapsedMs = clock.MonotonicMs() - m_nMonotonicMs;
    if (elapsedMs < 0) {
        Messenger::Show("日付が異常です. システムの時計を確認して下さい.");
        return 0;
    }
    m_nElapsed = Saturate(elapsedMs / 1000);
    SplitElapsed();
    return m_nElapsed;
}
