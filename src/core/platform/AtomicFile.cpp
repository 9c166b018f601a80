#include "platform/AtomicFile.h"

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// mkostemp replaces the six X with letters and digits.
constexpr char kTemporarySuffix[] = "~XXXXXX";
constexpr size_t kTemporarySuffixLength = sizeof kTemporarySuffix - 1;

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        done += static_cast<size_t>(n);
    }
    return 0;
}

mode_t ModeFor(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& path)
{
    std::string::size_type slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

}  // namespace

namespace AtomicFile {

int Replace(const std::string& path, const std::string& bytes)
{
    std::string tmpl = path + kTemporarySuffix;
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fchmod(fd, ModeFor(path)) != 0)
        err = errno;
    if (err == 0)
        err = FileSyscalls::Get().DataSync(fd);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0)
        err = FileSyscalls::Get().Rename(name.data(), path.c_str());
    if (err != 0) {
        ::unlink(name.data());
        return err;
    }
    SyncFolder(path);
    return 0;
}

std::string TemporaryOwner(const std::string& entryName)
{
    if (entryName.size() <= kTemporarySuffixLength)
        return {};
    size_t tilde = entryName.size() - kTemporarySuffixLength;
    if (entryName[tilde] != '~')
        return {};
    for (size_t i = tilde + 1; i < entryName.size(); ++i) {
        if (!IsAsciiAlnum(entryName[i]))
            return {};
    }
    return entryName.substr(0, tilde);
}

bool Holds(const std::string& path, const std::string& bytes)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                static_cast<unsigned long long>(st.st_size) == bytes.size();
    std::string held;
    if (same) {
        held.resize(bytes.size());
        size_t done = 0;
        while (done < held.size()) {
            ssize_t n = ::read(fd, held.data() + done, held.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        same = done == held.size() && held == bytes;
    }
    ::close(fd);
    return same;
}

}  // namespace AtomicFile
