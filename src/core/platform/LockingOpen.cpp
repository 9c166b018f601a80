#include "platform/LockingOpen.h"

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A few attempts at a file replaced between the open and the lock; one that keeps being
// replaced is being written by the process that holds it.
constexpr int kAttempts = 3;

int OpenRetrying(const std::string& path, int flags)
{
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? -errno : fd;
}

// Read and write where possible; read only where the folder or the file refuses writing.
int OpenForLocking(const std::string& path, bool create)
{
    int fd = OpenRetrying(path, O_RDWR | (create ? O_CREAT : 0));
    if (fd == -EROFS || fd == -EACCES)
        fd = OpenRetrying(path, O_RDONLY);
    return fd;
}

LockingOpen::Result Finding(LockingOpen::Outcome outcome, int error)
{
    LockingOpen::Result result;
    result.outcome = outcome;
    result.error = error;
    return result;
}

// What an open that failed with `error` says about the name.
LockingOpen::Result OpenFailure(int error)
{
    using LockingOpen::Outcome;
    switch (error) {
    case ELOOP:   // a symbolic link (O_NOFOLLOW)
    case EISDIR:  // a folder
    case ENXIO:   // a socket, or a device without its driver
    case EACCES:  // there, but not even to be read
        return Finding(Outcome::NotOurs, error);
    default:
        return Finding(Outcome::Failed, error);
    }
}

}  // namespace

namespace LockingOpen {

Result Open(const std::string& path, bool create, bool owned)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int opened = OpenForLocking(path, create);
        if (opened < 0)
            return OpenFailure(-opened);
        ScopedFd fd(opened);
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0)
            return Finding(Outcome::Failed, errno);
        if (!S_ISREG(st.st_mode))
            return Finding(Outcome::NotOurs, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        if (owned && st.st_uid != ::geteuid())
            return Finding(Outcome::NotOurs, EPERM);
        int lockError = FileSyscalls::Get().LockNow(fd.Get());
        if (lockError == EWOULDBLOCK)
            return Finding(Outcome::HeldElsewhere, lockError);
        // The name must still lead to the file locked: a file replaced meanwhile (or removed)
        // is not the one whose holder was asked.
        struct stat named {};
        if (::lstat(path.c_str(), &named) != 0 && errno != ENOENT)
            return Finding(Outcome::Failed, errno);
        if (named.st_dev != st.st_dev || named.st_ino != st.st_ino)
            continue;
        Result result = Finding(lockError == 0 ? Outcome::Locked : Outcome::NoLocking, lockError);
        result.fd = std::move(fd);
        return result;
    }
    return Finding(Outcome::HeldElsewhere, EWOULDBLOCK);
}

}  // namespace LockingOpen
