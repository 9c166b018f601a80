#pragma once

#include "platform/SymbolicLinks.h"

#include <functional>
#include <string>

// Replaces a whole file so that a reader sees either the old or the new content, never a
// mix: the bytes go to a temporary file in the same folder, every write is checked, the
// data is flushed to the disk, and only then is the temporary renamed over the old file.
// On any failure the temporary file is removed and the old file stays whole. A symbolic
// link stays a link: the file it leads to is replaced, in that file's folder (unless links
// are refused: ELOOP). Anything but a regular file (a folder, a pipe, a device) is never
// replaced, nor a file this user may not write (read-only, another user's: EACCES).
namespace AtomicFile {

// Returns 0, or the errno of the first failure.
int Replace(const std::string& path, const std::string& bytes, SymbolicLinks links = SymbolicLinks::Follow);
// The same, with `beforeRename` run on the temporary file's descriptor once its bytes are
// on the disk and before it takes the name; an errno it returns ends the replacement there.
// Without `syncFolder` the rename is left to the file system's next commit (a file
// rewritten often, whose previous version may stand in for it after a power cut).
int Replace(const std::string& path, const std::string& bytes, const std::function<int(int fd)>& beforeRename,
            bool syncFolder = true, SymbolicLinks links = SymbolicLinks::Follow);

// The name of the file a temporary file of Replace was made for ("Zarn2.ini" for
// "Zarn2.ini~a8Xk2Q"), or "" when `entryName` is not of that pattern. A process killed
// during a rewrite leaves its temporary file behind.
std::string TemporaryOwner(const std::string& entryName);

// Whether `path` is a regular file that already holds exactly `bytes` (so a rewrite can be
// spared). Anything unreadable answers false.
bool Holds(const std::string& path, const std::string& bytes);

}  // namespace AtomicFile
