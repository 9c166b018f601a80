#pragma once

#include "platform/FileStamp.h"
#include "stats/Play.h"
#include "stats/PlayFigures.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class LocalZone;
struct LibraryShape;

// The plays of one title's log.
struct LogPlays {
    int error = 0;           // the errno when the log could not be read; then nothing else is set
    std::vector<Play> plays;  // in log order
    std::int64_t total = 0;  // seconds of all plays
    std::size_t skipped = 0;  // damaged records left out

    // The plays spread over the hour grid, worked out at the first ask and kept.
    const PlayFigures::HourGrid& Grid(LocalZone& zone) const;

private:
    // Apart from the plays: most logs are never asked for theirs.
    mutable std::shared_ptr<const PlayFigures::HourGrid> m_grid;
};

// Title logs read through the log reader and kept. A log is read from its file the first
// time it is asked for; Refresh looks at every kept log's stamp (size, modification time,
// inode) and reads again only those that changed, so the figures drawn from the cache
// between two refreshes cost no look at the files.
class PlayLogCache {
public:
    // The plays of the log at `path`. The reference holds until the next Refresh.
    const LogPlays& Read(const std::string& path);
    // Drops the logs that are not the log of a title of `library` (renamed, moved or deleted
    // titles) and reads again each kept log whose file changed or could not be read.
    void Refresh(const LibraryShape& library);
    // Changes whenever a kept log was read again or dropped: figures drawn from the cache
    // stay true while it stays the same.
    std::uint64_t Generation() const { return m_generation; }
    // How many times a log was read from its file (not served from memory).
    std::size_t FileReads() const { return m_fileReads; }
    std::size_t Size() const { return m_entries.size(); }

private:
    struct Entry {
        bool read = false;
        FileStamp stamp;
        LogPlays plays;
    };
    void Load(const std::string& path, Entry& entry);

    std::unordered_map<std::string, Entry> m_entries;
    std::uint64_t m_generation = 0;
    std::size_t m_fileReads = 0;
};
