#include "stats/PlayLogCache.h"

#include "history/PlayLogFile.h"
#include "stats/LibraryShape.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace {

// Room for the plays is taken from the file's size by the size of a record as the launcher
// writes it ("2009/03/07,21:05:09\r\n3723\r\n"), within a bound (a large file may hold
// anything else).
constexpr std::size_t kRecordBytes = 27;
constexpr std::size_t kMaxReserve = PlayLogParser::kMaxReserve;

}  // namespace

const PlayFigures::HourGrid& LogPlays::Grid(LocalZone& zone) const
{
    if (!m_grid) {
        auto grid = std::make_shared<PlayFigures::HourGrid>();
        for (const Play& play : plays)
            PlayFigures::AddToGrid(*grid, play, zone);
        m_grid = std::move(grid);
    }
    return *m_grid;
}

const LogPlays& PlayLogCache::Read(const std::string& path)
{
    auto [found, added] = m_entries.try_emplace(path);
    if (added)
        Load(path, found->second);
    return found->second.plays;
}

void PlayLogCache::Refresh(const LibraryShape& library)
{
    std::unordered_set<std::string_view> logs;
    for (const LibraryGenre& genre : library.genres)
        for (const LibraryTitle& title : genre.titles)
            logs.insert(title.log);
    bool changed = false;
    for (auto entry = m_entries.begin(); entry != m_entries.end();) {
        if (!logs.contains(entry->first)) {
            entry = m_entries.erase(entry);
            changed = true;
            continue;
        }
        Entry& kept = entry->second;
        FileStamp stamp;
        if (kept.read && ReadFileStamp(entry->first, stamp) == 0 && stamp == kept.stamp) {
            ++entry;
            continue;
        }
        int before = kept.plays.error;
        bool wasRead = kept.read;
        Load(entry->first, kept);
        // A log that still cannot be read for the same reason changes no figure.
        changed = changed || wasRead || kept.read || kept.plays.error != before;
        ++entry;
    }
    if (changed)
        ++m_generation;
}

void PlayLogCache::Load(const std::string& path, Entry& entry)
{
    entry.read = false;
    entry.plays = LogPlays{};
    // The stamp is taken before the bytes: a log that grows meanwhile has a new stamp at
    // the next look and is read again then.
    FileStamp stamp;
    LogPlays& plays = entry.plays;
    // Plays come in runs of the same month: its first day is worked out once a run.
    int year = 0;
    int month = 0;
    std::int64_t firstDay = 0;
    int error = PlayLogFile::Read(path, stamp, plays.skipped, [&](const CPlayTime& start, int seconds) {
        if (plays.plays.empty())
            plays.plays.reserve(std::min(static_cast<size_t>(stamp.size) / kRecordBytes + 1, kMaxReserve));
        if (start.m_nYear != year || start.m_nMonth != month) {
            year = start.m_nYear;
            month = start.m_nMonth;
            firstDay = CivilTime::DayNumber(year, month, 1);
        }
        plays.plays.push_back(Play::At(firstDay + start.m_nDay - 1, start, seconds));
        plays.total += seconds;
    });
    if (error != 0) {
        entry.plays = LogPlays{};
        entry.plays.error = error;
        return;
    }
    ++m_fileReads;
    entry.read = true;
    entry.stamp = stamp;
}
