#pragma once

#include "history/CPlayTime.h"

#include <cstddef>
#include <string>
#include <vector>

// Reading a title's log. Appending a session and emptying the log are the platform's
// durable append and create-empty (platform/RegularFile.h).
namespace PlayLogFile {

// Reads every session of the log. Returns 0, or the errno when the file cannot be opened
// or read (or is not a regular file); `sessions` (and `skipped`, the damaged records left
// out, when given) are only filled on success.
int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped = nullptr);

}  // namespace PlayLogFile
