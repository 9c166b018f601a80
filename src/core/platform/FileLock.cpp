#include "platform/FileLock.h"

#include "platform/AtomicFile.h"
#include "platform/Descriptor.h"
#include "platform/ScopedFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// At most kMaxBytes of an open file, from its start; 0 or the errno (EFBIG beyond that).
int ReadSmall(int fd, std::string& bytes)
{
    char buffer[4096];
    bytes.clear();
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > FileLock::kMaxBytes)
            return EFBIG;
    }
}

// A missing file is Absent; any other errno is Failed, with `error` set.
FileLock::Claim Failure(int errnum, int& error)
{
    error = errnum == ENOENT ? 0 : errnum;
    return errnum == ENOENT ? FileLock::Claim::Absent : FileLock::Claim::Failed;
}

}  // namespace

void FileLock::Release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int FileLock::Replace(const std::string& path, const std::string& bytes)
{
    int held = -1;
    auto lockAndKeep = [&held](int fd) {
        if (int lockErr = Descriptor::LockExclusiveNow(fd))
            return lockErr;
        held = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        return held >= 0 ? 0 : errno;
    };
    int err = AtomicFile::Replace(path, bytes, lockAndKeep, !Held());
    if (err != 0) {
        if (held >= 0)
            ::close(held);
        return err;
    }
    Release();
    m_fd = held;
    return 0;
}

int FileLock::Remove(const std::string& path)
{
    int err = ::unlink(path.c_str()) == 0 ? 0 : errno;
    Release();
    return err;
}

FileLock::Claim FileLock::TryClaim(const std::string& path, std::string& bytes, int& error)
{
    Release();
    error = 0;
    // A file replaced between the open and the lock is opened again; one that keeps being
    // replaced is being written by the process that holds it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (fd.Get() < 0)
            return Failure(errno, error);
        struct stat opened{};
        struct stat named{};
        if (::fstat(fd.Get(), &opened) != 0)
            return Failure(errno, error);
        if (!S_ISREG(opened.st_mode))
            return Failure(EINVAL, error);
        if (int err = Descriptor::LockExclusiveNow(fd.Get()))
            return err == EWOULDBLOCK ? Claim::HeldElsewhere : Failure(err, error);
        if (::stat(path.c_str(), &named) != 0)
            return Failure(errno, error);
        if (!SameFile(opened, named))
            continue;
        if (int err = ReadSmall(fd.Get(), bytes))
            return Failure(err, error);
        m_fd = fd.Take();
        return Claim::Claimed;
    }
    return Claim::HeldElsewhere;
}
