#pragma once

#include "platform/LocalZone.h"
#include "stats/IChartData.h"
#include "stats/LibraryShape.h"

#include <array>
#include <cstdint>

class CZarn2Doc;
class LogReadPass;
class PlayLogCache;
struct LogPlays;

// The play chart window's figures over the library and the log cache, each worked out once
// and kept until a log it could be drawn from changed (the cache's generation), the
// library's genres and titles changed, or what it is of (current genre or title, today)
// moved. Update looks at the library and the logs again; between two updates asking for
// figures reads no file that was read before.
class ChartFigures final : public IChartData {
public:
    ChartFigures(const CZarn2Doc& doc, PlayLogCache& cache);

    // Takes the library as it is now and refreshes the cache over it (logs no longer in the
    // library are dropped, changed ones read again).
    void Update();

    const ChartFigure<std::vector<PeriodBar>>& Periods(PlayFigures::Period period, int count) override;
    const ChartFigure<std::vector<RankedTitle>>& Ranking(bool wholeLibrary) override;
    const ChartFigure<PlayFigures::HourGrid>& Hours(bool wholeLibrary) override;
    const ChartFigure<std::vector<PlayFigures::CumulativePoint>>& Cumulative() override;

private:
    // What a figure was drawn from; the same key means the same figures.
    struct Key {
        std::uint64_t logs = 0;
        std::uint64_t library = 0;
        int genre = -1;
        int title = -1;
        std::int64_t today = 0;
        int choice = 0;
        bool operator==(const Key&) const = default;
    };
    template <class Values>
    struct Kept {
        bool made = false;
        Key key;
        ChartFigure<Values> figure;
    };
    Key KeyOf(int genre, int title, int choice = 0, std::int64_t today = 0) const;
    // Starts figures anew when their key moved: true when they are to be worked out.
    template <class Values>
    bool Renew(Kept<Values>& kept, const Key& key);
    template <class Values>
    void Finish(ChartFigure<Values>& figure, const LogReadPass& pass);
    const LogPlays* CurrentPlays(LogReadPass& pass) const;

    const CZarn2Doc& m_doc;
    PlayLogCache& m_cache;
    LocalZone m_zone;
    LibraryShape m_library;
    std::uint64_t m_libraryGeneration = 0;
    std::uint64_t m_lastVersion = 0;
    std::array<Kept<std::vector<PeriodBar>>, 3> m_periods;  // by PlayFigures::Period
    std::array<Kept<std::vector<RankedTitle>>, 2> m_ranking;  // the current genre, the library
    std::array<Kept<PlayFigures::HourGrid>, 2> m_hours;       // the current title, the library
    Kept<std::vector<PlayFigures::CumulativePoint>> m_cumulative;
};
