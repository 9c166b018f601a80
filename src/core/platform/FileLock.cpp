#include "platform/FileLock.h"

#include "platform/AtomicFile.h"
#include "platform/IFileSyscalls.h"
#include "platform/LockingOpen.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

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
        if (int lockErr = FileSyscalls::Get().LockNow(fd))
            return lockErr;
        held = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        return held >= 0 ? 0 : errno;
    };
    int err = AtomicFile::Replace(path, bytes, lockAndKeep, !Held(), SymbolicLinks::Refuse);
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
    LockingOpen::Result opened = LockingOpen::Open(path, false, false);
    switch (opened.outcome) {
    case LockingOpen::Outcome::HeldElsewhere:
        return Claim::HeldElsewhere;
    case LockingOpen::Outcome::NotOurs:
    case LockingOpen::Outcome::Failed:
        return Failure(opened.error, error);
    case LockingOpen::Outcome::Locked:
    case LockingOpen::Outcome::NoLocking:  // a file system without locks: claimed unheld
        break;
    }
    if (int err = ReadSmall(opened.fd.Get(), bytes))
        return Failure(err, error);
    m_fd = opened.fd.Take();
    return Claim::Claimed;
}
