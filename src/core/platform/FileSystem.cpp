#include "platform/FileSystem.h"

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace {

int ErrnoUnless(bool ok)
{
    return ok ? 0 : errno;
}

}  // namespace

namespace FileSystem {

Status Stat(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return Status{errno, false};
    return Status{0, S_ISDIR(st.st_mode)};
}

bool EntryExists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

EntryKind KindOf(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? EntryKind::Missing : EntryKind::Other;
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return S_ISLNK(st.st_mode) ? EntryKind::Link : EntryKind::Other;
}

FolderCheck CheckFolder(const std::string& path)
{
    Status status = Stat(path);
    if (status.error == 0)
        return {status.folder ? FolderState::Folder : FolderState::Taken, 0};
    if (EntryExists(path))
        return {FolderState::Taken, 0};
    if (status.error == ENOENT || status.error == ENOTDIR)
        return {FolderState::Missing, status.error};
    return {FolderState::Unknown, status.error};
}

int MayWrite(const std::string& path)
{
    Status status = Stat(path);
    if (status.error != 0)
        return status.error;
    int mode = status.folder ? W_OK | X_OK : W_OK;
    return ErrnoUnless(::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0);
}

int MakeFolder(const std::string& path)
{
    return ErrnoUnless(::mkdir(path.c_str(), 0777) == 0);
}

int RemoveFolder(const std::string& path)
{
    return FileSyscalls::Get().RemoveFolder(path.c_str());
}

int RemoveFile(const std::string& path)
{
    return FileSyscalls::Get().Unlink(path.c_str());
}

int SyncFolder(const std::string& path)
{
    return FileSyscalls::Get().SyncFolder(path.c_str());
}

std::vector<FolderEntry> FolderEntries(const std::string& path, int& error)
{
    std::vector<FolderEntry> entries;
    DIR* folder = ::opendir(path.c_str());
    error = folder ? 0 : errno;
    if (!folder)
        return entries;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (!entry) {
            error = errno;
            break;
        }
        std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        // The folder's own record of the kind costs no call; a file system that keeps none
        // leaves it unknown, and the entry is asked then.
        struct stat st {};
        bool regular = entry->d_type != DT_UNKNOWN
                           ? entry->d_type == DT_REG
                           : ::fstatat(::dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                                 S_ISREG(st.st_mode);
        entries.push_back({std::string(name), regular});
    }
    ::closedir(folder);
    return entries;
}

std::string FolderOf(const std::string& path)
{
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string Resolved(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string result = resolved;
    std::free(resolved);
    return result;
}

int CreateNew(const std::string& path)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

bool OpenForWriting(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A writer that opens the file while the lease is held makes the kernel signal its holder:
    // SIGWINCH, ignored by default, instead of SIGIO, which would end the process.
    bool writing = false;
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::fcntl(fd, F_SETSIG, SIGWINCH) == 0) {
        if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0)
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
        else
            writing = errno == EAGAIN;
    }
    ::close(fd);
    return writing;
}

std::string RunningBinary()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    buf[n] = '\0';
    return buf;
}

}  // namespace FileSystem
