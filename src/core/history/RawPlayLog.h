#pragma once

#include "history/CPlayTime.h"

#include <string>
#include <string_view>
#include <vector>

// A title's log as the records that lie in it, each with its bytes exactly as they are in
// the file, so that a rewrite can keep every record it does not change byte for byte. The
// records are cut as the log reader pairs them (PlayLogParser): a start line immediately
// followed by its duration line is a play; every other line (a start without its duration,
// a blank line, a damaged or too long line) is a record of its own that is no play.
namespace RawPlayLog {

struct Record {
    enum class Kind { Play, LoneStart, Other };
    Kind kind = Kind::Other;
    std::string bytes;  // the whole record with its line ends (the last one may lack its end)
    CPlayTime time;     // a play's start and elapsed time (a negative duration reads 0 s)

    bool IsPlay() const { return kind == Kind::Play; }
};

std::vector<Record> Split(std::string_view bytes);
// The records one after another; a record that lost its line end gets "\r\n" when another
// follows it, so no record is joined to the next.
std::string Join(const std::vector<Record>& records);
// Why `bytes` (split into `records`) is no play log, for the user; empty when it is one: a
// NUL byte, or no line of a play and control characters that no text holds (binary data).
// Text without plays is a log whose plays are gone, its other lines damaged records.
std::string Problem(std::string_view bytes, const std::vector<Record>& records);

}  // namespace RawPlayLog
