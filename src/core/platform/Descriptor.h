#pragma once

#include <string_view>

// Calls on an open file descriptor that several platform classes share.
namespace Descriptor {

// Writes all of `bytes`, going on after short writes and interruptions. 0, or the errno
// (ENOSPC when the file takes no more).
int WriteAll(int fd, std::string_view bytes);

// Takes an exclusive flock without waiting. 0, or the errno (EWOULDBLOCK when another open
// file holds it).
int LockExclusiveNow(int fd);

}  // namespace Descriptor
