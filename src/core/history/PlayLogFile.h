#pragma once

#include "history/CPlayTime.h"
#include "history/PlayLogParser.h"
#include "platform/FileStamp.h"

#include <cstddef>
#include <string>
#include <vector>

class DiskVersion;

// Reading a title's log. Appending a session and emptying the log are the platform's
// durable append and create-empty (platform/RegularFile.h).
namespace PlayLogFile {

// Reads every session of the log. Returns 0, or the errno when the file cannot be opened
// or read (or is not a regular file); `sessions` (and `skipped`, the damaged records left
// out, when given) are only filled on success.
int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped = nullptr);
// The same, with the log's `version` taken from the bytes read (in the one read).
int Read(const std::string& path, std::vector<CPlayTime>& sessions, DiskVersion& version);
// The same with each session handed to `take` as it is read (see PlayLogParser::SendTo),
// and the stamp of the file they were read from: it is known before the first session.
int Read(const std::string& path, FileStamp& stamp, size_t& skipped, const PlayLogParser::Take& take);

}  // namespace PlayLogFile
