#include "history/CPlayHistory.h"

#include "HistoryTestUtil.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <climits>
#include <cstdio>

namespace {

std::string LogOf(const std::vector<CPlayTime>& sessions)
{
    std::string text;
    char line[64];
    for (const CPlayTime& s : sessions) {
        std::snprintf(line, sizeof line, "%04d/%02d/%02d,%02d:%02d:%02d\r\n%d\r\n", s.m_nYear,
                      s.m_nMonth, s.m_nDay, s.m_nHour, s.m_nMinute, s.m_nSecond, s.m_nElapsed);
        text += line;
    }
    return text;
}

// Writes the sessions as a log and reads it back into a fresh history.
struct Loaded {
    TempDir dir;
    CPlayHistory h;
    int count = 0;
    explicit Loaded(const std::string& logText)
    {
        std::string path = dir / "t.Log";
        TempDir::WriteBytes(path, logText);
        count = h.ReadLog(path);
    }
};

TEST(PlayHistoryStats, FiguresOfTheWholeLog)
{
    struct Case {
        const char* what;
        std::vector<CPlayTime> sessions;
        int dayCount;
        const char *last, *total, *average, *lastDay, *dayAverage;
    } cases[] = {
        {"empty log", {}, 0, "0:0:0", "0:0:0", "0:0:0", "0:0:0", "0:0:0"},
        {"100, 100, 101 s on one day",
         {MakeSession(2009, 3, 7, 10, 0, 0, 100), MakeSession(2009, 3, 7, 11, 0, 0, 100),
          MakeSession(2009, 3, 7, 12, 0, 0, 101)},
         1, "0:1:41", "0:5:1", "0:1:40", "0:5:1", "0:5:1"},
        {"07, 07, 08, 07 makes three day groups",
         {MakeSession(2009, 3, 7, 10, 0, 0, 60), MakeSession(2009, 3, 7, 11, 0, 0, 60),
          MakeSession(2009, 3, 8, 9, 0, 0, 30), MakeSession(2009, 3, 7, 12, 0, 0, 10)},
         3, "0:0:10", "0:2:40", "0:0:40", "0:0:10", "0:0:53"},
        {"a session past midnight counts to its start date",
         {MakeSession(2009, 3, 7, 23, 50, 0, 7200), MakeSession(2009, 3, 8, 9, 0, 0, 60)},
         2, "0:1:0", "2:1:0", "1:0:30", "0:1:0", "1:0:30"},
        {"same day of another month or year is another date",
         {MakeSession(2009, 3, 7, 1, 0, 0, 1), MakeSession(2009, 4, 7, 1, 0, 0, 1),
          MakeSession(2010, 4, 7, 1, 0, 0, 1)},
         3, "0:0:1", "0:0:3", "0:0:1", "0:0:1", "0:0:1"},
        {"100 hours and more",
         {MakeSession(2009, 3, 7, 1, 0, 0, 360000), MakeSession(2009, 3, 9, 1, 0, 0, 3600 * 150)},
         2, "150:0:0", "250:0:0", "125:0:0", "150:0:0", "125:0:0"},
        {"forged durations: totals held at the largest time",
         {MakeSession(2009, 3, 7, 1, 0, 0, INT_MAX), MakeSession(2009, 3, 7, 2, 0, 0, INT_MAX)},
         1, "596523:14:7", "596523:14:7", "596523:14:7", "596523:14:7", "596523:14:7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded l(LogOf(c.sessions));
        const CPlayHistory& h = l.h;
        EXPECT_EQ(l.count, static_cast<int>(c.sessions.size()));
        EXPECT_EQ(h.m_nSessionCount, l.count);
        EXPECT_EQ(h.m_nDayCount, c.dayCount);
        EXPECT_EQ(Hms(h.Figures().m_Current), c.last);
        EXPECT_EQ(Hms(h.Figures().m_Total), c.total);
        EXPECT_EQ(Hms(h.Figures().m_SessionAverage), c.average);
        EXPECT_EQ(Hms(h.Figures().m_LastDay), c.lastDay);
        EXPECT_EQ(Hms(h.Figures().m_DayAverage), c.dayAverage);
        if (!c.sessions.empty()) {
            EXPECT_EQ(h.Figures().m_Current.m_nHour, c.sessions.back().m_nHour);
            EXPECT_EQ(h.Figures().m_LastDay.m_nDay, c.sessions.back().m_nDay);
        }
    }
}

TEST(PlayHistoryStats, DayGroupsKeepDateAndSum)
{
    Loaded l(LogOf({MakeSession(2009, 3, 7, 10, 0, 0, 60), MakeSession(2009, 3, 7, 11, 0, 0, 60),
                    MakeSession(2009, 3, 8, 9, 0, 0, 30), MakeSession(2009, 3, 7, 12, 0, 0, 10)}));
    ASSERT_EQ(l.h.m_Day.size(), 3u);
    EXPECT_EQ(l.h.m_Day[0].m_nDay, 7);
    EXPECT_EQ(l.h.m_Day[0].m_nElapsed, 120);
    EXPECT_EQ(l.h.m_Day[1].m_nDay, 8);
    EXPECT_EQ(l.h.m_Day[1].m_nElapsed, 30);
    EXPECT_EQ(l.h.m_Day[2].m_nDay, 7);
    EXPECT_EQ(l.h.m_Day[2].m_nElapsedSecond, 10);
    // The sessions of each group, as the play log editor chooses them for a day's row.
    EXPECT_EQ(l.h.DaySessions(0), std::make_pair(0, 2));
    EXPECT_EQ(l.h.DaySessions(1), std::make_pair(2, 3));
    EXPECT_EQ(l.h.DaySessions(2), std::make_pair(3, 4));
    EXPECT_EQ(l.h.DaySessions(3), std::make_pair(0, 0));
}

TEST(PlayHistoryStats, TenThousandSessionsAllCountAndReadQuickly)
{
    std::vector<CPlayTime> sessions;
    for (int i = 0; i < 10000; ++i)
        sessions.push_back(MakeSession(2009 + i / 2 / 372, 1 + (i / 2 / 31) % 12, 1 + (i / 2) % 31,
                                       i % 2 ? 20 : 9, 0, 0, 100 + i % 7));  // two a day
    std::int64_t total = 0;
    for (const CPlayTime& s : sessions)
        total += s.m_nElapsed;
    TempDir dir;
    std::string path = dir / "t.Log";
    TempDir::WriteBytes(path, LogOf(sessions));

    CPlayHistory h;
    // CPU time, not wall time: other work on a shared machine must not fail the test.
    const std::clock_t begin = std::clock();
    ASSERT_EQ(h.ReadLog(path), 10000);
    const double tookMs = 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    EXPECT_EQ(h.Figures().m_Total.m_nElapsed, total);
    EXPECT_EQ(h.Figures().m_SessionAverage.m_nElapsed, total / 10000);
    EXPECT_EQ(h.m_nDayCount, 5000);
    EXPECT_EQ(h.m_Session.back().m_nYear, sessions.back().m_nYear);
    EXPECT_EQ(h.Figures().m_Current.m_nElapsed, sessions.back().m_nElapsed);
    // Generous even for an unoptimised build on a busy machine; a refresh must feel instant.
    EXPECT_LT(tookMs, 200.0);
}

TEST(PlayHistoryStats, UnreadableLogChangesNothing)
{
    Loaded l(LogOf({MakeSession(2009, 3, 7, 10, 0, 0, 100)}));
    TempDir other;
    EXPECT_EQ(l.h.ReadLog(other / "missing.Log"), -1);
    EXPECT_EQ(l.h.ReadLog(other.Path()), -1);  // a folder
    EXPECT_EQ(l.h.m_nSessionCount, 1);
    EXPECT_EQ(l.h.Figures().m_Total.m_nElapsed, 100);
}

TEST(PlayHistoryStats, ConfirmRecordAsksOnlyBelowTheLimit)
{
    struct Case {
        int elapsed, limit;
        bool asks;
        const char* question;
    } cases[] = {
        {3600, 60, false, ""},
        {3599, 60, true, "今のプレイ時間は59:59です. 記録しますか ?"},
        {0, 0, false, ""},
        {3907, 90, true, "今のプレイ時間は05:07です. 記録しますか ?"},  // 1 h 5 min 7 s: no hours
        {5400, 90, false, ""},
        {5, -1, false, ""},
        {INT_MAX, INT_MAX, true, "今のプレイ時間は14:07です. 記録しますか ?"},
    };
    for (const Case& c : cases) {
        for (bool answer : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.elapsed << " s, limit " << c.limit << " min, answer "
                                            << answer);
            ScriptedMessenger messenger;
            messenger.AnswerNext(answer);
            CPlayTime session;
            session.m_nElapsed = c.elapsed;
            session.SplitElapsed();
            bool record = CPlayHistory::ConfirmRecord(session, c.limit);
            if (c.asks) {
                ASSERT_EQ(messenger.questions.size(), 1u);
                EXPECT_EQ(messenger.questions[0], c.question);
                EXPECT_EQ(record, answer);
            } else {
                EXPECT_TRUE(messenger.questions.empty());
                EXPECT_TRUE(record);
            }
        }
    }
}

TEST(PlayHistoryStats, Release)
{
    Loaded l(LogOf({MakeSession(2009, 3, 7, 10, 0, 0, 3723), MakeSession(2009, 3, 8, 10, 0, 0, 1)}));
    l.h.ReleaseHistory();
    EXPECT_TRUE(l.h.m_Session.empty());
    EXPECT_TRUE(l.h.m_Day.empty());
    EXPECT_EQ(l.h.m_nSessionCount, 0);
    EXPECT_EQ(l.h.m_nDayCount, 0);
    EXPECT_EQ(l.h.ComputeSessionStats(), 0);
    EXPECT_EQ(l.h.ComputeDayStats(), 0);
}

TEST(PlayHistoryStats, CountsBeyondTheSessionsHeldAreNotTrusted)
{
    CPlayHistory h;
    h.m_Session = {MakeSession(2009, 3, 7, 10, 0, 0, 10)};
    h.m_nSessionCount = 5;  // e.g. after appends that were not read back
    EXPECT_EQ(h.ComputeSessionStats(), 1);
    EXPECT_EQ(h.ComputeDayStats(), 1);
    h.m_nSessionCount = -3;
    EXPECT_EQ(h.ComputeSessionStats(), 0);
    EXPECT_EQ(h.ComputeDayStats(), 0);
}

}  // namespace
