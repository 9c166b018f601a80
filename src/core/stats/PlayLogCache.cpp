#include "stats/PlayLogCache.h"

#include "history/PlayLogFile.h"

const PlayFigures::HourGrid& LogPlays::Grid() const
{
    if (!m_grid) {
        m_grid.emplace();
        for (const Play& play : plays)
            PlayFigures::AddToGrid(*m_grid, play);
    }
    return *m_grid;
}

const LogPlays& PlayLogCache::Read(const std::string& path)
{
    Entry& entry = m_entries[path];
    FileStamp stamp;
    int error = ReadFileStamp(path, stamp);
    if (error == 0 && entry.read && entry.stamp == stamp)
        return entry.plays;
    // The stamp is taken before the bytes: a log that grows meanwhile has a new stamp at
    // the next look and is read again then.
    entry.read = false;
    entry.plays = LogPlays{};
    std::vector<CPlayTime> sessions;
    if (error == 0)
        error = PlayLogFile::Read(path, sessions, &entry.plays.skipped);
    if (error != 0) {
        entry.plays.error = error;
        return entry.plays;
    }
    ++m_fileReads;
    entry.read = true;
    entry.stamp = stamp;
    entry.plays.plays.reserve(sessions.size());
    for (const CPlayTime& session : sessions) {
        entry.plays.plays.push_back(Play::From(session));
        entry.plays.total += session.m_nElapsed;
    }
    return entry.plays;
}
