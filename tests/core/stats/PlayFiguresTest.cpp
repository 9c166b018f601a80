#include "stats/PlayFigures.h"

#include "StatsTestUtil.h"
#include "platform/LocalZone.h"
#include "support/ZoneScope.h"

#include <gtest/gtest.h>

#include <numeric>

using PlayFigures::Period;

namespace {

std::string Periods(const std::vector<PlayFigures::PeriodTotal>& totals)
{
    std::string out;
    for (const PlayFigures::PeriodTotal& total : totals)
        out += DateText(total.firstDay) + "=" + std::to_string(total.seconds) + ";";
    return out;
}

std::int64_t Day(int year, int month, int day)
{
    return CivilTime::DayNumber(year, month, day);
}

}  // namespace

TEST(PlayFigures, PeriodTotalsCountEachPlayToThePeriodItStartedIn)
{
    struct Case {
        const char* what;
        Period period;
        std::int64_t today;
        int count;
        std::vector<Play> plays;
        const char* totals;
    } cases[] = {
        {"days: a play past midnight counts to its start, older and later plays are left out",
         Period::Day,
         Day(2009, 3, 7),
         3,
         {At("2009/03/05,10:00:00", 600), At("2009/03/06,23:50:00", 7200), At("2009/03/07,01:00:00", 60),
          At("2009/03/07,02:00:00", 40), At("2009/03/04,23:59:59", 999), At("2009/03/08,00:00:00", 999)},
         "2009-03-05=600;2009-03-06=7200;2009-03-07=100;"},
        {"weeks begin on Monday",
         Period::Week,
         Day(2009, 3, 7),
         2,
         {At("2009/03/01,23:00:00", 10), At("2009/03/02,00:00:00", 20), At("2009/02/22,12:00:00", 999)},
         "2009-02-23=10;2009-03-02=20;"},
        {"months across a new year",
         Period::Month,
         Day(2009, 1, 15),
         3,
         {At("2008/12/31,23:00:00", 7200), At("2008/11/01,00:00:00", 5), At("2008/10/31,23:59:59", 999)},
         "2008-11-01=5;2008-12-01=7200;2009-01-01=0;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Periods(PlayFigures::PeriodTotals(c.plays, c.period, c.today, c.count)), c.totals);
    }
}

TEST(PlayFigures, TopKeepsTheLargestTotalsInTheirOrder)
{
    struct Case {
        std::vector<std::int64_t> totals;
        std::size_t count;
        std::vector<std::size_t> top;
    } cases[] = {
        {{5, 0, 9, 5, 7}, 3, {2, 4, 0}},
        {{5, 0, 9, 5, 7}, 20, {2, 4, 0, 3}},
        {{0, 0}, 20, {}},
        {{}, 20, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.totals) + " top " + std::to_string(c.count));
        EXPECT_EQ(PlayFigures::Top(c.totals, c.count), c.top);
    }
}

TEST(PlayFigures, GridSplitsAPlayAtEveryHourOfRealTime)
{
    struct Cell {
        int weekday, hour;
        std::int64_t seconds;
    };
    struct Case {
        const char* what;
        Play play;
        std::vector<Cell> cells;  // cells checked besides the grid's sum
        const char* zone = "UTC";
    } cases[] = {
        {"across an hour (Saturday)",
         At("2009/03/07,21:05:09", 3723),
         {{5, 21, 3291}, {5, 22, 432}, {5, 23, 0}}},
        {"across midnight from Sunday into Monday",
         At("2009/03/08,23:30:00", 3600),
         {{6, 23, 1800}, {0, 0, 1800}}},
        {"eight days: a whole week in every cell and one day more",
         At("2009/03/02,10:30:00", 8 * 86400),
         {{0, 10, 5400}, {0, 11, 7200}, {1, 9, 7200}, {1, 10, 5400}, {1, 11, 3600}, {3, 4, 3600}}},
        {"no time", At("2009/03/07,21:05:09", 0), {{5, 21, 0}}},
        {"an hour across the skipped hour (Sunday): 2 o'clock never came",
         At("2009/03/08,01:30:00", 3600),
         {{6, 1, 1800}, {6, 2, 0}, {6, 3, 1800}},
         "America/New_York"},
        {"two hours across the repeated hour: 1 o'clock counts twice",
         At("2009/11/01,00:30:00", 7200),
         {{6, 0, 1800}, {6, 1, 5400}, {6, 2, 0}},
         "America/New_York"},
        {"a start in the repeated hour is the first one, before the clock went back",
         At("2009/11/01,01:30:00", 3600),
         {{6, 1, 3600}, {6, 2, 0}},
         "America/New_York"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZoneScope scope(c.zone);
        LocalZone zone;
        PlayFigures::HourGrid grid{};
        PlayFigures::AddToGrid(grid, c.play, zone);
        std::int64_t sum = 0;
        for (const auto& row : grid)
            sum = std::accumulate(row.begin(), row.end(), sum);
        EXPECT_EQ(sum, c.play.seconds);
        for (const Cell& cell : c.cells)
            EXPECT_EQ(grid[cell.weekday][cell.hour], cell.seconds) << cell.weekday << " " << cell.hour;
    }
}

TEST(PlayFigures, CumulativeStepsFromPlayToPlayAndNeverGoesBack)
{
    // Out of order in the log, and the third play lies inside the second.
    std::vector<Play> plays = {At("2009/03/07,10:00:00", 3600), At("2009/03/05,10:00:00", 600),
                               At("2009/03/07,10:30:00", 60)};
    ZoneScope scope("UTC");
    LocalZone zone;
    std::string points;
    for (const PlayFigures::CumulativePoint& point : PlayFigures::Cumulative(plays, zone))
        points += DateText(CivilTime::DayOf(point.at)) + "+" +
                  std::to_string(CivilTime::SecondOfDay(point.at)) + "=" + std::to_string(point.total) + ";";
    EXPECT_EQ(points, "2009-03-05+36000=0;2009-03-05+36600=600;"
                      "2009-03-07+36000=600;2009-03-07+39600=4200;"
                      "2009-03-07+39600=4200;2009-03-07+39600=4260;");
    EXPECT_TRUE(PlayFigures::Cumulative({}, zone).empty());
}
