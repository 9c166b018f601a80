#pragma once

#include "platform/FileStamp.h"
#include "sync/JournalEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CPlayTime;

// A title's log as the journals see it: its plays, each its start line and its seconds.
namespace LogPlays {

// The play of a session (its start fields and elapsed seconds).
Journal::Play Of(const CPlayTime& session);

struct Read {
    int error = 0;  // 0, or the errno (ENOENT: no log)
    std::vector<Journal::Play> plays;  // in file order
    size_t damaged = 0;
    FileStamp stamp;
};
Read Load(const std::string& path);
// A digest of `plays` (in the order given), to tell a log's plays changed without reading it.
std::uint64_t Digest(const std::vector<Journal::Play>& plays);
// The log's bytes for `plays` (as the launcher appends them, in the order given).
std::string Bytes(const std::vector<Journal::Play>& plays);

}  // namespace LogPlays
