#pragma once

#include "history/CPlayTime.h"

#include <string>
#include <string_view>

// One session of a title's log is two ASCII lines: its start in local time,
// "YYYY/MM/DD,hh:mm:ss", then its duration in seconds as a decimal integer.
namespace PlayLogRecord {

// Both lines of `session` (start fields and elapsed), each ending in "\r\n".
std::string Format(const CPlayTime& session);

// Parses a start line (without its line end) into the date and time fields of `out`.
// Fields may be written without their leading zeros; blanks may follow. False, with
// `out` untouched, for anything else or a date or time out of range.
bool ParseStart(std::string_view line, CPlayTime& out);

// Parses a duration line (without its line end): an optional minus sign and up to ten
// digits, blanks may follow, the value within a signed 32-bit integer. False otherwise.
bool ParseElapsed(std::string_view line, int& seconds);

}  // namespace PlayLogRecord
