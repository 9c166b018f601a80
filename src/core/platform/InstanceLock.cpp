#include "platform/InstanceLock.h"

#include "platform/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

int OpenLockFile(const std::string& path)
{
    // Opened for writing where possible: on NFS an exclusive flock needs it.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && (errno == EROFS || errno == EACCES))
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    return fd;
}

}  // namespace

InstanceLock::State InstanceLock::Take(const std::string& path)
{
    Release();
    m_error = 0;
    int fd = OpenLockFile(path);
    if (fd < 0) {
        m_error = errno;
        return State::Unavailable;
    }
    m_error = Descriptor::LockExclusiveNow(fd);
    if (m_error == 0) {
        m_fd = fd;
        return State::Held;
    }
    ::close(fd);
    return m_error == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
}

void InstanceLock::Release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
