#pragma once

#include <string>

// A copy of a file kept beside it before the file is rewritten: "<name>.bak", or
// "<name>.2.bak", "<name>.3.bak" … when that is taken. A copy never replaces anything.
namespace BackupCopy {

// The name the next copy of `path` would take; empty when every number is taken.
std::string NextName(const std::string& path);

// Copies `path` to the next free name, created exclusively (O_EXCL) and flushed to the
// disk before it returns. Returns 0 with the copy's path in `kept`, or the errno; a
// failed copy leaves nothing behind.
int Keep(const std::string& path, std::string& kept);

}  // namespace BackupCopy
