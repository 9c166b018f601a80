#pragma once

#include "platform/ScopedFd.h"

#include <string>

// Opens a file to hold it with an exclusive flock, without waiting: the run's lock file and
// the play's journal. The file is opened for writing where the folder allows it (NFS grants
// an exclusive flock only then), never through a symbolic link, never blocking on a pipe,
// and close-on-exec, so a program started later never inherits the lock. Once locked, the
// name must still lead to the file that was opened: a file replaced between the open and
// the lock is opened again.
namespace LockingOpen {

enum class Outcome {
    Locked,         // `fd` is open and holds the lock
    NoLocking,      // `fd` is open, but the file system gives no lock there (`error`: ENOLCK, …)
    HeldElsewhere,  // another open file holds the lock (or the file keeps being replaced)
    NotOurs,        // a symbolic link, a folder or anything but a regular file, or (`owned`)
                    // another user's file, or one that cannot be opened (`error`)
    Failed          // no file can be had at the name (`error`: ENOENT when missing, EROFS, …)
};

struct Result {
    Outcome outcome = Outcome::Failed;
    ScopedFd fd;
    int error = 0;
};

// `create` makes a missing file (mode 0666 less the umask); `owned` accepts only a file
// of the user the process runs as.
Result Open(const std::string& path, bool create, bool owned);

}  // namespace LockingOpen
