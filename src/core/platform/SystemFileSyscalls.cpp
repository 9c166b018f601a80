#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

class SystemFileSyscalls final : public IFileSyscalls {
public:
    int DataSync(int fd) override { return ::fdatasync(fd) == 0 ? 0 : errno; }
    int Rename(const char* from, const char* to) override { return ::rename(from, to) == 0 ? 0 : errno; }
    int RenameNoReplace(const char* from, const char* to) override
    {
        return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
    }
    int Unlink(const char* path) override { return ::unlink(path) == 0 ? 0 : errno; }
    int RemoveFolder(const char* path) override { return ::rmdir(path) == 0 ? 0 : errno; }
    int Truncate(int fd, long long size) override
    {
        return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : errno;
    }
    int SyncFolder(const char* path) override
    {
        int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        int err = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        return err;
    }
    int LockNow(int fd) override
    {
        int rc;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        return rc == 0 ? 0 : errno;
    }
};

}  // namespace

template <>
IFileSyscalls& Seam<IFileSyscalls>::Fallback()
{
    static SystemFileSyscalls system;
    return system;
}
