#include "platform/RegularFile.h"

#include "platform/FileStamp.h"
#include "platform/IFileSyscalls.h"
#include "platform/ScopedFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 0 with the file's status for a regular file, else the errno.
int CheckRegular(int fd, struct stat& st)
{
    if (::fstat(fd, &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    return S_ISREG(st.st_mode) ? 0 : EINVAL;
}

// 0 with the file's size for a regular file, else the errno.
int CheckRegular(int fd, off_t& size)
{
    struct stat st{};
    int err = CheckRegular(fd, st);
    size = st.st_size;
    return err;
}

// 0, or the errno of a write that failed or fell short (a regular file takes less only
// when the disk or the quota is full).
int WriteOnce(int fd, const std::string& bytes)
{
    ssize_t written;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        return errno;
    return static_cast<size_t>(written) == bytes.size() ? 0 : ENOSPC;
}

// What the file's last line still lacks of its "\r\n" before more lines can follow: nothing
// in an empty file or after "\n", "\n" after a lone "\r", else all of it. 0, or the errno.
int MissingLineEnd(int fd, off_t size, std::string_view& missing)
{
    missing = {};
    if (size == 0)
        return 0;
    char last = 0;
    ssize_t n;
    do {
        n = ::pread(fd, &last, 1, size - 1);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return errno;
    if (n == 1 && last != '\n')
        missing = last == '\r' ? std::string_view("\n") : std::string_view("\r\n");
    return 0;
}

// Reads the file in pieces; `sized` and `piece` may stop the read with an errno.
int ReadPieces(const std::string& path, const std::function<int(const struct stat&)>& sized,
               const std::function<int(std::string_view)>& piece, SymbolicLinks links = SymbolicLinks::Follow)
{
    int noFollow = links == SymbolicLinks::Refuse ? O_NOFOLLOW : 0;
    ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | noFollow));
    if (fd.Get() < 0)
        return errno;
    struct stat st{};
    if (int err = CheckRegular(fd.Get(), st))
        return err;
    if (int err = sized(st))
        return err;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (int err = piece(std::string_view(buffer, static_cast<size_t>(n))))
            return err;
    }
}

}  // namespace

namespace RegularFile {

int Read(const std::string& path, const std::function<void(std::uint64_t)>& sized,
         const std::function<void(std::string_view)>& piece)
{
    return ReadPieces(
        path,
        [&sized](const struct stat& st) {
            sized(static_cast<std::uint64_t>(st.st_size));
            return 0;
        },
        [&piece](std::string_view bytes) {
            piece(bytes);
            return 0;
        });
}

int Read(const std::string& path, FileStamp& stamp, const std::function<void(std::string_view)>& piece)
{
    return ReadPieces(
        path,
        [&stamp](const struct stat& st) { return StampOfStat(st, stamp); },
        [&piece](std::string_view bytes) {
            piece(bytes);
            return 0;
        });
}

int ReadAtMost(const std::string& path, std::uint64_t maxBytes, std::string& bytes, SymbolicLinks links)
{
    bytes.clear();
    int err = ReadPieces(
        path,
        [&](const struct stat& st) {
            auto size = static_cast<std::uint64_t>(st.st_size);
            if (size > maxBytes)
                return EFBIG;
            bytes.reserve(static_cast<size_t>(size));
            return 0;
        },
        [&](std::string_view piece) {
            if (bytes.size() + piece.size() > maxBytes)
                return EFBIG;
            bytes.append(piece);
            return 0;
        },
        links);
    if (err != 0)
        bytes.clear();
    return err;
}

AppendResult AppendDurably(const std::string& path, const std::string& bytes)
{
    AppendResult result;
    // Read as well as written: the last byte tells whether the last line was ended.
    ScopedFd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        result.error = errno;
        return result;
    }
    result.opened = true;
    off_t size = 0;
    if (int err = CheckRegular(fd.Get(), size)) {
        result.error = err;
        return result;
    }
    std::string_view lineEnd;
    if (int err = MissingLineEnd(fd.Get(), size, lineEnd)) {
        result.error = err;
        return result;
    }
    IFileSyscalls& calls = FileSyscalls::Get();
    int err = WriteOnce(fd.Get(), lineEnd.empty() ? bytes : std::string(lineEnd) + bytes);
    if (err == 0)
        err = calls.DataSync(fd.Get());
    if (err != 0) {
        result.cutBackError = calls.Truncate(fd.Get(), size);
        // The cut is in the file either way; a failed flush of it has nothing more to tell.
        if (result.cutBackError == 0)
            static_cast<void>(calls.DataSync(fd.Get()));
        result.error = err;
    }
    return result;
}

int CreateEmpty(const std::string& path)
{
    ScopedFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0644));
    return fd.Get() < 0 ? errno : 0;
}

}  // namespace RegularFile
