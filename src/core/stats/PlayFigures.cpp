#include "stats/PlayFigures.h"

#include "platform/LocalZone.h"

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

std::int64_t& Cell(PlayFigures::HourGrid& grid, std::int64_t localSeconds)
{
    std::int64_t day = DayOf(localSeconds);
    auto hour = static_cast<size_t>((localSeconds - day * kDaySeconds) / kHour);
    return grid[static_cast<size_t>(Weekday(day))][hour];
}

// Spreads `left` seconds from a local time over the cells of the wall clock.
void WalkWallClock(PlayFigures::HourGrid& grid, std::int64_t local, std::int64_t left)
{
    std::int64_t day = DayOf(local);
    std::int64_t second = local - day * kDaySeconds;
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

void AddToGrid(HourGrid& grid, const Play& play, LocalZone& zone)
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
        if (left == 0)
            return;
    }
    std::int64_t at = zone.InstantOf(play.start);
    int offset = zone.OffsetAtInstant(at);
    if (zone.OffsetAtInstant(at + left) == offset) {
        WalkWallClock(grid, at + offset, left);  // no change within less than a week
        return;
    }
    while (left > 0) {
        std::int64_t local = at + zone.OffsetAtInstant(at);
        std::int64_t part = std::min(left, kHour - (local - FloorDiv(local, kHour) * kHour));
        Cell(grid, local) += part;
        left -= part;
        at += part;
    }
}

std::vector<CumulativePoint> Cumulative(const std::vector<Play>& plays, LocalZone& zone)
{
    struct Span {
        std::int64_t begin;
        std::int32_t seconds;
    };
    std::vector<Span> spans;
    spans.reserve(plays.size());
    for (const Play& play : plays)
        spans.push_back({zone.InstantOf(play.start), play.seconds});
    std::stable_sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.begin < b.begin; });
    std::vector<CumulativePoint> points;
    points.reserve(spans.size() * 2);
    std::int64_t total = 0;
    for (const Span& span : spans) {
        std::int64_t begin = points.empty() ? span.begin : std::max(span.begin, points.back().at);
        points.push_back({begin, total});
        total += span.seconds;
        points.push_back({std::max(span.begin + span.seconds, begin), total});
    }
    return points;
}

}  // namespace PlayFigures
