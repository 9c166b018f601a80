#pragma once

#include "stats/CivilTime.h"
#include "stats/PlayFigures.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the figures of a chart were drawn from.
struct ChartCoverage {
    std::size_t plays = 0;    // plays counted
    std::size_t skipped = 0;  // damaged records left out
    std::vector<std::string> unreadable;  // "<genre>/<title>.Log" of each log that could not be read
};

// One chart's figures. `version` is new whenever the figures may differ from those handed
// out before, so a chart is drawn again only when it changed.
template <class Values>
struct ChartFigure {
    std::uint64_t version = 0;
    std::string scope;  // the title or genre the figures are of; empty when there is none
    ChartCoverage coverage;
    Values values{};
};

struct PeriodBar {
    CivilTime::Date first;  // the period's first day
    std::int64_t seconds = 0;
};

struct RankedTitle {
    std::string title;
    std::string genre;
    std::int64_t seconds = 0;
};

// The figures of the play chart window, worked out by the launcher from the library and its
// logs (the window itself reads no file). Each reference holds until the next ask for the
// same figures.
class IChartData {
public:
    static constexpr std::size_t kRankedTitles = 20;

    // The current title's play time in each of the `count` periods up to today.
    virtual const ChartFigure<std::vector<PeriodBar>>& Periods(PlayFigures::Period period, int count) = 0;
    // The titles with the most play time, most first, in the library or the current genre.
    virtual const ChartFigure<std::vector<RankedTitle>>& Ranking(bool wholeLibrary) = 0;
    // The weekday × hour grid of the current title or of the whole library.
    virtual const ChartFigure<PlayFigures::HourGrid>& Hours(bool wholeLibrary) = 0;
    // The current title's running total.
    virtual const ChartFigure<std::vector<PlayFigures::CumulativePoint>>& Cumulative() = 0;

protected:
    ~IChartData() = default;
};
