#pragma once

#include "stats/Play.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class LocalZone;

// The figures of the play charts, from plays whose starts are local times. A play counts
// to the day it started on (as the day groups of the statistics count it), except in the
// hour grid, which spreads it over the hours it covered.
namespace PlayFigures {

enum class Period { Day, Week, Month };  // weeks begin on Monday

struct PeriodTotal {
    std::int64_t firstDay = 0;  // day number of the period's first day
    std::int64_t seconds = 0;
};

// The `count` periods that end with the one holding day `today`, oldest first, with the
// seconds of the plays that started in each.
std::vector<PeriodTotal> PeriodTotals(const std::vector<Play>& plays, Period period, std::int64_t today,
                                      int count);

// Indexes of the `count` largest totals, largest first; equal totals keep their order.
// Totals of 0 are left out.
std::vector<std::size_t> Top(const std::vector<std::int64_t>& totals, std::size_t count);

// Seconds by weekday (0 Monday ... 6 Sunday) and hour of the local wall clock.
using HourGrid = std::array<std::array<std::int64_t, 24>, 7>;
// Adds the play to the cells it covered: a play that crosses an hour or midnight is split
// at each boundary. The hours are those of real time: a play across a change of the
// zone's offset (daylight saving) is counted at the wall-clock hours each of its hours
// showed, so the hour the clock skips gets nothing and the hour it repeats counts twice.
void AddToGrid(HourGrid& grid, const Play& play, LocalZone& zone);

struct CumulativePoint {
    std::int64_t at = 0;     // instant (seconds from 1970-01-01 UTC)
    std::int64_t total = 0;  // seconds played up to then
};
// The running total over the plays in order of their starts, as steps: flat between plays,
// rising through each play from its start to its end (never before the point ahead of it).
std::vector<CumulativePoint> Cumulative(const std::vector<Play>& plays, LocalZone& zone);

}  // namespace PlayFigures
