#include "platform/ICdromSyscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

int SystemCdromSyscalls::Open(const char* path, int flags)
{
    int fd;
    do {
        fd = ::open(path, flags);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? -errno : fd;
}

int SystemCdromSyscalls::Ioctl(int fd, unsigned long request, unsigned long argument)
{
    int rc;
    do {
        rc = ::ioctl(fd, request, argument);
    } while (rc < 0 && errno == EINTR);
    return rc < 0 ? -errno : rc;
}

void SystemCdromSyscalls::Close(int fd) { ::close(fd); }
