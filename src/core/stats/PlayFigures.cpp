#include "stats/PlayFigures.h"

#include <algorithm>
#include <numeric>

using namespace CivilTime;

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kWeek = 7 * kDaySeconds;

// The number of the period holding `day` and the first day of a period of that number.
std::int64_t PeriodOf(PlayFigures::Period period, std::int64_t day)
{
    switch (period) {
    case PlayFigures::Period::Day:
        return day;
    case PlayFigures::Period::Week:
        return FloorDiv(day + 3, 7);  // day 0 (1970-01-01) is the Thursday of week 0
    case PlayFigures::Period::Month:
        return MonthNumber(day);
    }
    return day;
}

std::int64_t FirstDayOf(PlayFigures::Period period, std::int64_t number)
{
    switch (period) {
    case PlayFigures::Period::Day:
        return number;
    case PlayFigures::Period::Week:
        return number * 7 - 3;
    case PlayFigures::Period::Month:
        return FirstDayOfMonth(number);
    }
    return number;
}

}  // namespace

namespace PlayFigures {

std::vector<PeriodTotal> PeriodTotals(const std::vector<Play>& plays, Period period, std::int64_t today,
                                      int count)
{
    std::vector<PeriodTotal> totals(static_cast<size_t>(std::max(count, 0)));
    std::int64_t last = PeriodOf(period, today);
    std::int64_t first = last - static_cast<std::int64_t>(totals.size()) + 1;
    for (size_t i = 0; i < totals.size(); ++i)
        totals[i].firstDay = FirstDayOf(period, first + static_cast<std::int64_t>(i));
    for (const Play& play : plays) {
        std::int64_t number = PeriodOf(period, DayOf(play.start));
        if (number >= first && number <= last)
            totals[static_cast<size_t>(number - first)].seconds += play.seconds;
    }
    return totals;
}

std::vector<std::size_t> Top(const std::vector<std::int64_t>& totals, std::size_t count)
{
    std::vector<std::size_t> order(totals.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto larger = [&totals](std::size_t a, std::size_t b) { return totals[a] > totals[b]; };
    std::size_t kept = std::min(count, order.size());
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
                      [&](std::size_t a, std::size_t b) { return larger(a, b) || (!larger(b, a) && a < b); });
    order.resize(kept);
    while (!order.empty() && totals[order.back()] <= 0)
        order.pop_back();
    return order;
}

void AddToGrid(HourGrid& grid, const Play& play)
{
    std::int64_t left = play.seconds;
    if (left <= 0)
        return;
    if (left >= kWeek) {
        // A whole week fills every cell alike, wherever it starts (only a log forged with
        // years of play has many).
        std::int64_t weeks = left / kWeek;
        for (auto& row : grid)
            for (std::int64_t& cell : row)
                cell += weeks * kHour;
        left -= weeks * kWeek;
    }
    std::int64_t day = DayOf(play.start);
    std::int64_t second = play.start - day * kDaySeconds;
    auto weekday = static_cast<size_t>(Weekday(day));
    auto hour = static_cast<size_t>(second / kHour);
    std::int64_t part = std::min(left, kHour - second % kHour);
    for (;;) {
        grid[weekday][hour] += part;
        left -= part;
        if (left <= 0)
            return;
        if (++hour == 24) {
            hour = 0;
            weekday = (weekday + 1) % 7;
        }
        part = std::min(left, kHour);
    }
}

std::vector<CumulativePoint> Cumulative(const std::vector<Play>& plays)
{
    std::vector<Play> ordered(plays);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Play& a, const Play& b) { return a.start < b.start; });
    std::vector<CumulativePoint> points;
    if (ordered.empty())
        return points;
    points.reserve(ordered.size() + 1);
    points.push_back({ordered.front().start, 0});
    for (const Play& play : ordered) {
        CumulativePoint next{std::max(play.start + play.seconds, points.back().at),
                             points.back().total + play.seconds};
        points.push_back(next);
    }
    return points;
}

}  // namespace PlayFigures
