#pragma once

#include "history/CPlayTime.h"

#include <cstddef>
#include <string>
#include <vector>

// The file operations on a title's log. Every function opens and closes the file itself.
namespace PlayLogFile {

// Reads every session of the log. Returns 0, or the errno when the file cannot be opened
// or read (or is not a regular file); `sessions` (and `skipped`, the damaged records left
// out, when given) are only filled on success.
int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped = nullptr);

struct AppendResult {
    int error = 0;        // 0, or the errno of the failure
    bool opened = false;  // the failure came after the file was opened (while writing)
};

// Appends `bytes` (whole records) to the existing log, never creating it. Everything goes
// out in a single write; if that falls short or the data cannot be flushed to the disk,
// the file is cut back to the size it had, so it only ever grows by whole records.
AppendResult Append(const std::string& path, const std::string& bytes);

// Creates the log empty, or empties it. Returns 0, or the errno.
int Reset(const std::string& path);

}  // namespace PlayLogFile
