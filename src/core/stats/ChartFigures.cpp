#include "stats/ChartFigures.h"

#include "platform/IClock.h"
#include "stats/LogReadPass.h"
#include "stats/PlayLogCache.h"

namespace {

std::int64_t Today()
{
    LocalDateTime now = Clock::Get().Now();
    return CivilTime::DayNumber(now.year, now.month, now.day);
}

void AddGrid(PlayFigures::HourGrid& sum, const PlayFigures::HourGrid& grid)
{
    for (size_t weekday = 0; weekday < sum.size(); ++weekday)
        for (size_t hour = 0; hour < sum[weekday].size(); ++hour)
            sum[weekday][hour] += grid[weekday][hour];
}

}  // namespace

ChartFigures::ChartFigures(const CZarn2Doc& doc, PlayLogCache& cache) : m_doc(doc), m_cache(cache) {}

void ChartFigures::Update()
{
    LibraryShape now = LibraryShape::Of(m_doc);
    if (now.genres != m_library.genres)
        ++m_libraryGeneration;
    m_library = std::move(now);
    m_cache.Refresh(m_library);
}

ChartFigures::Key ChartFigures::KeyOf(int genre, int title, int choice, std::int64_t today) const
{
    return Key{m_cache.Generation(), m_libraryGeneration, genre, title, today, choice};
}

template <class Values>
bool ChartFigures::Renew(Kept<Values>& kept, const Key& key)
{
    if (kept.made && kept.key == key)
        return false;
    kept.made = true;
    kept.key = key;
    kept.figure = ChartFigure<Values>{};
    kept.figure.version = ++m_lastVersion;
    return true;
}

template <class Values>
void ChartFigures::Finish(ChartFigure<Values>& figure, const LogReadPass& pass)
{
    figure.coverage = ChartCoverage{pass.Plays(), pass.Skipped(), pass.Unreadable()};
}

const LogPlays* ChartFigures::CurrentPlays(LogReadPass& pass) const
{
    const LibraryTitle* title = m_library.CurrentTitle();
    return title ? pass.Read(*m_library.CurrentGenre(), *title) : nullptr;
}

const ChartFigure<std::vector<PeriodBar>>& ChartFigures::Periods(PlayFigures::Period period, int count)
{
    auto& kept = m_periods[static_cast<size_t>(period)];
    std::int64_t today = Today();
    if (!Renew(kept, KeyOf(m_library.currentGenre, m_library.currentTitle, count, today)))
        return kept.figure;
    LogReadPass pass(m_cache);
    static const std::vector<Play> kNone;
    const LogPlays* plays = CurrentPlays(pass);
    for (const PlayFigures::PeriodTotal& total :
         PlayFigures::PeriodTotals(plays ? plays->plays : kNone, period, today, count))
        kept.figure.values.push_back({CivilTime::DateOf(total.firstDay), total.seconds});
    if (const LibraryTitle* title = m_library.CurrentTitle())
        kept.figure.scope = title->name;
    Finish(kept.figure, pass);
    return kept.figure;
}

const ChartFigure<std::vector<RankedTitle>>& ChartFigures::Ranking(bool wholeLibrary)
{
    auto& kept = m_ranking[wholeLibrary ? 1 : 0];
    if (!Renew(kept, KeyOf(wholeLibrary ? -1 : m_library.currentGenre, -1)))
        return kept.figure;
    LogReadPass pass(m_cache);
    struct Entry {
        const LibraryGenre* genre;
        const LibraryTitle* title;
    };
    std::vector<Entry> entries;
    std::vector<std::int64_t> totals;
    for (const LibraryGenre& genre : m_library.genres) {
        if (!wholeLibrary && &genre != m_library.CurrentGenre())
            continue;
        for (const LibraryTitle& title : genre.titles) {
            const LogPlays* plays = pass.Read(genre, title);
            entries.push_back({&genre, &title});
            totals.push_back(plays ? plays->total : 0);
        }
    }
    for (std::size_t i : PlayFigures::Top(totals, kRankedTitles))
        kept.figure.values.push_back({entries[i].title->name, entries[i].genre->name, totals[i]});
    if (!wholeLibrary && m_library.CurrentGenre())
        kept.figure.scope = m_library.CurrentGenre()->name;
    Finish(kept.figure, pass);
    return kept.figure;
}

const ChartFigure<PlayFigures::HourGrid>& ChartFigures::Hours(bool wholeLibrary)
{
    auto& kept = m_hours[wholeLibrary ? 1 : 0];
    if (!Renew(kept, wholeLibrary ? KeyOf(-1, -1) : KeyOf(m_library.currentGenre, m_library.currentTitle)))
        return kept.figure;
    LogReadPass pass(m_cache);
    if (wholeLibrary) {
        for (const LibraryGenre& genre : m_library.genres)
            for (const LibraryTitle& title : genre.titles)
                if (const LogPlays* plays = pass.Read(genre, title))
                    AddGrid(kept.figure.values, plays->Grid(m_zone));
    } else if (const LogPlays* plays = CurrentPlays(pass)) {
        AddGrid(kept.figure.values, plays->Grid(m_zone));
    }
    if (!wholeLibrary && m_library.CurrentTitle())
        kept.figure.scope = m_library.CurrentTitle()->name;
    Finish(kept.figure, pass);
    return kept.figure;
}

const ChartFigure<std::vector<PlayFigures::CumulativePoint>>& ChartFigures::Cumulative()
{
    auto& kept = m_cumulative;
    if (!Renew(kept, KeyOf(m_library.currentGenre, m_library.currentTitle)))
        return kept.figure;
    LogReadPass pass(m_cache);
    if (const LogPlays* plays = CurrentPlays(pass))
        kept.figure.values = PlayFigures::Cumulative(plays->plays, m_zone);
    if (const LibraryTitle* title = m_library.CurrentTitle())
        kept.figure.scope = title->name;
    Finish(kept.figure, pass);
    return kept.figure;
}
