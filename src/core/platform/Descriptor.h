#pragma once

#include <string_view>

// Calls on an open file descriptor that several platform classes share.
namespace Descriptor {

// Writes all of `bytes`, going on after short writes and interruptions. 0, or the errno
// (ENOSPC when the file takes no more).
int WriteAll(int fd, std::string_view bytes);

}  // namespace Descriptor
