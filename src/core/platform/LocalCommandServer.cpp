#include "platform/LocalCommandServer.h"

#include "platform/UnixAddress.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kBacklog = 4;

// Removes a socket a killed run left at `path`; EEXIST when something else has the name.
int RemoveStaleSocket(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISSOCK(status.st_mode))
        return EEXIST;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

// Whether the process at the other end runs as this user.
bool SameUser(int fd)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::geteuid();
}

}  // namespace

LocalCommandServer::~LocalCommandServer()
{
    Close();
}

int LocalCommandServer::Listen(const std::string& path)
{
    Close();
    sockaddr_un address;
    if (!UnixAddress(path, address))
        return ENAMETOOLONG;
    if (int error = RemoveStaleSocket(path))
        return error;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return errno;
    // The socket file gets the process's umask at bind; it is made user-only right after,
    // inside the private folder no one else can enter.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    m_fd = fd;
    m_path = path;
    if (::chmod(path.c_str(), 0600) != 0 || ::listen(fd, kBacklog) != 0) {
        const int error = errno;
        Close();
        return error;
    }
    return 0;
}

void LocalCommandServer::Close()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_path.c_str());
    m_path.clear();
}

LocalCommandSocket LocalCommandServer::Accept()
{
    while (m_fd >= 0) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0 && (errno == EINTR || errno == ECONNABORTED))
            continue;
        if (fd < 0)
            break;
        LocalCommandSocket client(fd);
        if (SameUser(fd))
            return client;
    }
    return LocalCommandSocket();
}
