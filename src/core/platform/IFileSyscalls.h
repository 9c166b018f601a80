#pragma once

#include "platform/Seam.h"

// The file system calls that change what the library holds on disk, in the order that
// decides whether data survives a crash, the no-replace rename whose refusal selects the
// move's fallback, and the exclusive lock that keeps two runs apart. Tests replace them to
// record the calls, to refuse one, or to stop the process after one. Each returns 0 or the
// errno of the failure.
class IFileSyscalls {
public:
    virtual ~IFileSyscalls() = default;
    virtual int DataSync(int fd) = 0;
    virtual int Rename(const char* from, const char* to) = 0;
    virtual int RenameNoReplace(const char* from, const char* to) = 0;
    virtual int Unlink(const char* path) = 0;
    virtual int RemoveFolder(const char* path) = 0;
    virtual int Truncate(int fd, long long size) = 0;
    // Flushes the entries of the folder at `path` (names made, moved or removed) to the disk.
    virtual int SyncFolder(const char* path) = 0;
    // An exclusive flock without waiting: EWOULDBLOCK when another open file holds it.
    virtual int LockNow(int fd) = 0;
};

// The calls in use; without others installed, the system's.
template <>
IFileSyscalls& Seam<IFileSyscalls>::Fallback();

using FileSyscalls = Seam<IFileSyscalls>;
