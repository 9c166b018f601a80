#pragma once

#include "history/CPlayTime.h"
#include "history/RawPlayLog.h"

#include <string>
#include <vector>

struct LocalDateTime;

// Plays brought into a title's log. Each goes to its place by start, as the play log
// editor puts an added play: after the last play that started at the same moment or
// earlier, before the first play when none did (so plays of a log in start order stay in
// start order). A play the log holds already (the same start and seconds), or that came
// before in the same bring, is not added again; one the log cannot hold (see
// PlayLogEdit::Check) is refused. Every record of the log stays as it was, damaged ones
// too.
namespace LogMerge {

struct Counts {
    size_t added = 0;
    size_t present = 0;  // in the log already
    size_t refused = 0;  // before 2008, after `now`, or ending past the stamps' range
};

// The log's bytes with the plays put in.
std::string Merged(const std::vector<RawPlayLog::Record>& records, const std::vector<CPlayTime>& plays,
                   const LocalDateTime& now, Counts& counts);

// Reads the log at `path`, puts the plays in and, when any was added, replaces the log in
// one atomic rewrite. "" when done, else why the log was left as it was (for the user).
std::string Into(const std::string& path, const std::vector<CPlayTime>& plays, Counts& counts);

}  // namespace LogMerge
