#include "platform/AtomicFile.h"

#include "platform/Descriptor.h"
#include "platform/FileSystem.h"
#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <climits>
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

mode_t ModeFor(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a rewrite of `path` replaces: `path` itself, or what its symbolic links lead to
// (the link stays a link; a link that leads nowhere yet names the file to create).
// 0, or the errno (ELOOP for links that go round or are refused, EINVAL for anything but a
// regular file).
int Target(const std::string& path, std::string& target, SymbolicLinks links)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (S_ISREG(st.st_mode))
            return 0;
        if (!S_ISLNK(st.st_mode))
            return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        if (links == SymbolicLinks::Refuse)
            return ELOOP;
        char buf[PATH_MAX];
        ssize_t n = ::readlink(target.c_str(), buf, sizeof buf);
        if (n <= 0)
            return n < 0 ? errno : ENOENT;
        if (static_cast<size_t>(n) == sizeof buf)
            return ENAMETOOLONG;
        std::string link(buf, static_cast<size_t>(n));
        target = link.front() == '/' ? link : FileSystem::FolderOf(target) + "/" + link;
    }
    return ELOOP;
}

}  // namespace

namespace AtomicFile {

namespace {

int ReplaceAt(const std::string& linkOrPath, const std::string& bytes, SymbolicLinks links,
              const std::function<int(int fd)>& beforeRename, bool syncFolder)
{
    std::string path;
    if (int err = Target(linkOrPath, path, links))
        return err;
    // A file made read-only, or another user's, is not replaced (its folder would let the
    // rename through), as it could not be written in place.
    if (int err = FileSystem::MayWrite(path); err != 0 && err != ENOENT)
        return err;
    std::string tmpl = path + kTemporarySuffix;
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = Descriptor::WriteAll(fd, bytes);
    if (err == 0 && ::fchmod(fd, ModeFor(path)) != 0)
        err = errno;
    if (err == 0)
        err = FileSyscalls::Get().DataSync(fd);
    if (err == 0 && beforeRename)
        err = beforeRename(fd);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0)
        err = FileSyscalls::Get().Rename(name.data(), path.c_str());
    if (err != 0) {
        ::unlink(name.data());
        return err;
    }
    if (syncFolder)
        FileSyscalls::Get().SyncFolder(FileSystem::FolderOf(path).c_str());
    return 0;
}

}  // namespace

int Replace(const std::string& linkOrPath, const std::string& bytes, SymbolicLinks links)
{
    return ReplaceAt(linkOrPath, bytes, links, nullptr, true);
}

int Replace(const std::string& linkOrPath, const std::string& bytes, const std::function<int(int fd)>& beforeRename,
            bool syncFolder, SymbolicLinks links)
{
    return ReplaceAt(linkOrPath, bytes, links, beforeRename, syncFolder);
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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
