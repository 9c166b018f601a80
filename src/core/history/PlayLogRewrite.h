#pragma once

#include "history/RawPlayLog.h"

#include <cstdint>
#include <string>
#include <vector>

class PlayLogEdit;

// Reading a title's log for editing and writing the edited log back. A log that cannot be
// read or is no play log is reported once, naming it, and never written. The rewrite is
// one atomic replacement (a killed run leaves the old log or the new one), made from the
// log as it is read again right before it.
namespace PlayLogRewrite {

// Far more than any log holds (a million plays take about 26 MB).
inline constexpr std::uint64_t kMaxBytes = 64u << 20;

// The records of the log at `path`; false after the message.
bool Load(const std::string& path, std::vector<RawPlayLog::Record>& records);
// Reads the log again and replaces it with `edit` applied to what it holds now; false after
// the message, the log as it was.
bool Save(const std::string& path, const PlayLogEdit& edit);

}  // namespace PlayLogRewrite
