#include "platform/DiskVersion.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/ScopedFd.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace {

// A digest of bytes handed over in pieces of any size: each whole block of kBlock bytes is
// hashed on its own, so the pieces' sizes do not change the digest.
class BlockDigest {
public:
    void Add(std::string_view bytes)
    {
        while (!bytes.empty()) {
            size_t take = std::min(bytes.size(), kBlock - m_block.size());
            if (m_block.empty() && take == kBlock)
                Mix(bytes.substr(0, take));  // a whole block: no copy
            else
                m_block.append(bytes.substr(0, take));
            if (m_block.size() == kBlock) {
                Mix(m_block);
                m_block.clear();
            }
            bytes.remove_prefix(take);
        }
    }
    std::size_t Value()
    {
        Mix(m_block);
        m_block.clear();
        return m_value;
    }

private:
    static constexpr size_t kBlock = 64 * 1024;

    void Mix(std::string_view block)
    {
        m_value = (m_value ^ std::hash<std::string_view>{}(block)) * 0x100000001b3u + block.size();
    }

    std::string m_block;
    std::size_t m_value = 0xcbf29ce484222325u;
};

// The digest of the open file's bytes, read from its start; false when it cannot be read
// or holds more than `most` (it grew since its stamp).
bool DigestWhole(int fd, std::uint64_t most, std::size_t& digest)
{
    BlockDigest blocks;
    char buffer[64 * 1024];
    std::uint64_t total = 0;
    for (off_t at = 0;;) {
        ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        total += static_cast<std::uint64_t>(n);
        if (total > most)
            return false;
        blocks.Add(std::string_view(buffer, static_cast<size_t>(n)));
        at += n;
    }
    digest = blocks.Value();
    return true;
}

}  // namespace

bool DiskVersion::Seen::SameAs(const Seen& other) const
{
    if (error != 0 || other.error != 0 || stamp != other.stamp)
        return false;
    return !digested || !other.digested || digest == other.digest;
}

DiskVersion::Seen DiskVersion::At(const std::string& path, const Seen* against)
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
    if (against != nullptr && against->error == 0 && against->stamp != seen.stamp)
        return seen;  // changed by its stamp: the bytes tell nothing more
    seen.digested = DigestWhole(fd.Get(), kComparedBytes, seen.digest);
    return seen;
}

void DiskVersion::Look(const std::string& path)
{
    m_known = true;
    m_seen = At(path);
}

int DiskVersion::Read(const std::string& path, const std::function<void(std::uint64_t)>& sized,
                      const std::function<void(std::string_view)>& piece)
{
    Seen seen;
    BlockDigest blocks;
    bool told = false;
    int err = RegularFile::Read(path, seen.stamp, [&](std::string_view bytes) {
        if (!std::exchange(told, true))
            sized(static_cast<std::uint64_t>(seen.stamp.size));
        blocks.Add(bytes);
        piece(bytes);
    });
    m_known = true;
    if (err != 0) {
        m_seen = At(path);
        return err;
    }
    seen.digested = static_cast<std::uint64_t>(seen.stamp.size) <= kComparedBytes;
    seen.digest = seen.digested ? blocks.Value() : 0;
    m_seen = seen;
    return 0;
}

bool DiskVersion::Changed(const std::string& path) const
{
    // Only a file that is there can hold a change to lose: one that is gone, or is no
    // regular file, is left to the caller's own handling of a missing or foreign file.
    if (!m_known)
        return false;
    Seen now = At(path, &m_seen);
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
        if (written.digested) {
            BlockDigest blocks;
            blocks.Add(bytes);
            written.digest = blocks.Value();
        }
        return written.error;
    });
    if (err == 0) {
        m_known = true;
        m_seen = written;
    }
    return err;
}
