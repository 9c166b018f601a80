#include "platform/DiskVersion.h"

#include "platform/AtomicFile.h"
#include "platform/ScopedFd.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <string_view>
#include <unistd.h>

namespace {

std::size_t DigestOf(std::string_view bytes)
{
    return std::hash<std::string_view>{}(bytes);
}

// The bytes of the open file, read from its start; false when it cannot be read or holds
// more than `most` (it grew since its stamp).
bool ReadWhole(int fd, std::uint64_t most, std::string& bytes)
{
    char buffer[64 * 1024];
    for (off_t at = 0;;) {
        ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > most)
            return false;
        at += n;
    }
}

}  // namespace

bool DiskVersion::Seen::SameAs(const Seen& other) const
{
    if (error != 0 || other.error != 0 || stamp != other.stamp)
        return false;
    return !digested || !other.digested || digest == other.digest;
}

DiskVersion::Seen DiskVersion::At(const std::string& path)
{
    Seen seen;
    ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        // A file this user may not read is still told by its stamp.
        seen.error = ReadFileStamp(path, seen.stamp);
        return seen;
    }
    seen.error = ReadFileStamp(fd.Get(), seen.stamp);
    if (seen.error != 0 || static_cast<std::uint64_t>(seen.stamp.size) > kComparedBytes)
        return seen;
    std::string bytes;
    seen.digested = ReadWhole(fd.Get(), kComparedBytes, bytes);
    seen.digest = seen.digested ? DigestOf(bytes) : 0;
    return seen;
}

void DiskVersion::Look(const std::string& path)
{
    m_known = true;
    m_seen = At(path);
}

bool DiskVersion::Changed(const std::string& path) const
{
    // Only a file that is there can hold a change to lose: one that is gone, or is no
    // regular file, is left to the caller's own handling of a missing or foreign file.
    if (!m_known)
        return false;
    Seen now = At(path);
    if (now.error != 0)
        return false;
    return !now.SameAs(m_seen);
}

int DiskVersion::Replace(const std::string& path, const std::string& bytes)
{
    Seen written;
    int err = AtomicFile::Replace(path, bytes, [&](int fd) {
        if (Changed(path))
            return kChangedElsewhere;
        written.error = ReadFileStamp(fd, written.stamp);
        written.digested = bytes.size() <= kComparedBytes;
        written.digest = written.digested ? DigestOf(bytes) : 0;
        return written.error;
    });
    if (err == 0) {
        m_known = true;
        m_seen = written;
    }
    return err;
}
