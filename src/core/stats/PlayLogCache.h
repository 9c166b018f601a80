#pragma once

#include "platform/FileStamp.h"
#include "stats/Play.h"
#include "stats/PlayFigures.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The plays of one title's log.
struct LogPlays {
    int error = 0;           // the errno when the log could not be read; then nothing else is set
    std::vector<Play> plays;  // in log order
    std::int64_t total = 0;  // seconds of all plays
    std::size_t skipped = 0;  // damaged records left out

    // The plays spread over the hour grid, worked out at the first ask and kept.
    const PlayFigures::HourGrid& Grid() const;

private:
    mutable std::optional<PlayFigures::HourGrid> m_grid;
};

// Title logs read through the log reader and kept. A log is read again only when its size,
// modification time or inode changed since it was read, so showing the same figures again
// costs one look at each file's stamp.
class PlayLogCache {
public:
    // The plays of the log at `path`. The reference holds until this path is read again.
    const LogPlays& Read(const std::string& path);
    // How many times a log was read from its file (not served from memory).
    std::size_t FileReads() const { return m_fileReads; }

private:
    struct Entry {
        bool read = false;
        FileStamp stamp;
        LogPlays plays;
    };
    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_fileReads = 0;
};
