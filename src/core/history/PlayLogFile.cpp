#include "history/PlayLogFile.h"

#include "history/PlayLogParser.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when leaving scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// 0 with the file's size for a regular file, else the errno.
int CheckRegular(int fd, off_t& size)
{
    struct stat st{};
    if (::fstat(fd, &st) != 0)
        return errno;
    size = st.st_size;
    return S_ISREG(st.st_mode) ? 0 : EINVAL;
}

}  // namespace

namespace PlayLogFile {

int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        return errno;
    off_t size = 0;
    if (int err = CheckRegular(fd.Get(), size))
        return err;
    PlayLogParser parser;
    parser.Reserve(static_cast<size_t>(size) / PlayLogParser::kMinRecordBytes + 1);
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        parser.Feed(std::string_view(buffer, static_cast<size_t>(n)));
    }
    parser.Finish();
    sessions = std::move(parser.Sessions());
    if (skipped)
        *skipped = parser.Skipped();
    return 0;
}

AppendResult Append(const std::string& path, const std::string& bytes)
{
    AppendResult result;
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        result.error = errno;
        return result;
    }
    result.opened = true;
    struct stat st{};
    if (::fstat(fd.Get(), &st) != 0) {
        result.error = errno;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = EINVAL;
        return result;
    }
    ssize_t written;
    do {
        written = ::write(fd.Get(), bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    int err = 0;
    if (written < 0)
        err = errno;
    else if (static_cast<size_t>(written) != bytes.size())
        err = ENOSPC;  // a regular file takes less only when the disk or the quota is full
    else if (::fdatasync(fd.Get()) != 0)
        err = errno;
    if (err != 0) {
        // Best effort: when even this fails, nothing more can be done for the log.
        if (::ftruncate(fd.Get(), st.st_size) == 0 && ::fdatasync(fd.Get()) != 0) {
        }
        result.error = err;
    }
    return result;
}

int Reset(const std::string& path)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0644));
    if (fd.Get() < 0)
        return errno;
    return 0;
}

}  // namespace PlayLogFile
