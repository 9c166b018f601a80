#include "history/CPlayTime.h"

#include "support/FakeClock.h"
#include "support/ScriptedMessenger.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct StampCase {
    int y, mo, d, h, mi, s;
    int stamp;
};

TEST(CPlayTime, ComputeStampCountsLeapYearsFromTheEpoch)
{
    const StampCase cases[] = {
        {2008, 1, 1, 0, 0, 0, 0},
        {2008, 2, 29, 12, 0, 0, 5140800},
        {2008, 3, 1, 0, 0, 0, 60 * 86400},        // 2008 is a leap year
        {2009, 1, 1, 0, 0, 0, 31622400},
        {2009, 3, 1, 0, 0, 0, (366 + 59) * 86400},  // 2009 is not
        {2009, 3, 7, 21, 5, 9, (366 + 65) * 86400 + 21 * 3600 + 5 * 60 + 9},
        {2101, 1, 1, 0, 0, 0, INT_MAX},           // past the end of the stamp: held at its end
        {2076, 1, 19, 3, 14, 7, INT_MAX},         // the last second a stamp can hold
        {2076, 1, 19, 3, 14, 6, INT_MAX - 1},
        {2076, 1, 19, 3, 14, 8, INT_MAX},
        {2007, 12, 31, 23, 59, 59, -1},
        {INT_MAX, 12, 31, 23, 59, 59, INT_MAX},   // nonsense fields stay defined
        {INT_MIN, 1, 1, 0, 0, 0, INT_MIN},
        {2009, 13, 40, 99, 99, 99, 31622400 + (365 + 39) * 86400 + 99 * 3600 + 99 * 60 + 99},
    };
    for (const StampCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":"
                                        << c.mi << ":" << c.s);
        CPlayTime t;
        t.m_nYear = c.y;
        t.m_nMonth = c.mo;
        t.m_nDay = c.d;
        t.m_nHour = c.h;
        t.m_nMinute = c.mi;
        t.m_nSecond = c.s;
        EXPECT_EQ(t.ComputeStamp(), c.stamp);
        EXPECT_EQ(t.m_nStamp, c.stamp);
    }
}

TEST(CPlayTime, SplitElapsedHasNoHourLimit)
{
    struct Case {
        int elapsed, h, m, s;
    } cases[] = {
        {0, 0, 0, 0},         {59, 0, 0, 59},     {3723, 1, 2, 3},
        {3907, 1, 5, 7},      {360000, 100, 0, 0}, {3600 * 1234 + 61, 1234, 1, 1},
        {INT_MAX, 596523, 14, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        CPlayTime t;
        t.m_nElapsed = c.elapsed;
        t.SplitElapsed();
        EXPECT_EQ(t.m_nElapsedHour, c.h);
        EXPECT_EQ(t.m_nElapsedMinute, c.m);
        EXPECT_EQ(t.m_nElapsedSecond, c.s);
    }
}

TEST(CPlayTime, StartTakesTheLocalClockAndRefusesYearsBefore2008)
{
    FakeClock clock;
    ScriptedMessenger messenger;
    CPlayTime t;
    t.m_nElapsed = 999;
    clock.now = {2008, 2, 29, 12, 0, 0};
    ASSERT_TRUE(t.Start());
    EXPECT_EQ(t.m_nYear, 2008);
    EXPECT_EQ(t.m_nMonth, 2);
    EXPECT_EQ(t.m_nDay, 29);
    EXPECT_EQ(t.m_nHour, 12);
    EXPECT_EQ(t.m_nStamp, 5140800);
    EXPECT_EQ(t.m_nMonotonicMs, clock.monotonicMs);
    EXPECT_EQ(t.m_nElapsed, 0);
    EXPECT_TRUE(messenger.messages.empty());

    CPlayTime before = t;
    clock.now = {2007, 12, 31, 23, 59, 59};
    EXPECT_FALSE(t.Start());
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0], "日付が異常です. システムの時計を合わせて下さい.");
    EXPECT_EQ(t.m_nYear, before.m_nYear);
}

TEST(CPlayTime, MeasureCountsMonotonicTimeWhateverTheWallClockDoes)
{
    FakeClock clock;
    ScriptedMessenger messenger;
    struct Case {
        const char* what;
        LocalDateTime start, end;
        int seconds;
        int extraMs;
    } cases[] = {
        {"plain", {2009, 3, 7, 21, 5, 9}, {2009, 3, 7, 22, 7, 12}, 3723, 0},
        {"over new year", {2009, 12, 31, 23, 0, 0}, {2010, 1, 1, 1, 0, 0}, 7200, 999},
        {"wall clock set back an hour", {2009, 10, 25, 2, 30, 0}, {2009, 10, 25, 2, 0, 0}, 1800, 0},
        {"wall clock stepped a day ahead", {2009, 3, 7, 10, 0, 0}, {2009, 3, 8, 10, 10, 0}, 600, 0},
        {"100 hours", {2009, 3, 7, 10, 0, 0}, {2009, 3, 11, 14, 0, 0}, 360000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messenger.Clear();
        clock.now = c.start;
        CPlayTime t;
        ASSERT_TRUE(t.Start());
        clock.Advance(c.seconds);
        clock.monotonicMs += c.extraMs;  // part of a second does not count
        clock.now = c.end;
        EXPECT_EQ(t.Measure(), c.seconds);
        EXPECT_EQ(t.m_nElapsed, c.seconds);
        EXPECT_EQ(t.m_nElapsedHour, c.seconds / 3600);
        // The record keeps the start: that is what the log gets.
        EXPECT_EQ(t.m_nYear, c.start.year);
        EXPECT_EQ(t.m_nMonth, c.start.month);
        EXPECT_EQ(t.m_nDay, c.start.day);
        EXPECT_EQ(t.m_nHour, c.start.hour);
        EXPECT_TRUE(messenger.messages.empty());
    }
}

TEST(CPlayTime, MeasureReportsABadClockAndLeavesTheRecord)
{
    FakeClock clock;
    ScriptedMessenger messenger;
    const char* check = "日付が異常です. システムの時計を確認して下さい.";

    CPlayTime t;
    ASSERT_TRUE(t.Start());
    clock.Advance(100);
    clock.now = {2007, 1, 1, 0, 0, 0};
    EXPECT_EQ(t.Measure(), 0);
    EXPECT_EQ(t.m_nElapsed, 0);
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0], check);

    clock.now = {2009, 3, 7, 21, 5, 9};
    clock.monotonicMs = t.m_nMonotonicMs - 1000;  // cannot happen with a real monotonic clock
    EXPECT_EQ(t.Measure(), 0);
    ASSERT_EQ(messenger.messages.size(), 2u);
    EXPECT_EQ(messenger.messages[1], check);
    EXPECT_EQ(t.m_nElapsed, 0);
}

}  // namespace
