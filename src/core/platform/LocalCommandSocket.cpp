#include "platform/LocalCommandSocket.h"

#include "platform/UnixAddress.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Milliseconds left until `deadline`, never below 0.
int MsLeft(SteadyClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for `events` on `fd` until `deadline`; false on the deadline or an error.
bool WaitFor(int fd, short events, SteadyClock::time_point deadline)
{
    for (;;) {
        pollfd ready{fd, events, 0};
        const int n = ::poll(&ready, 1, MsLeft(deadline));
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0;
    }
}

// Connects without blocking past `deadline`.
bool Connect(int fd, const sockaddr_un& address, SteadyClock::time_point deadline)
{
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0)
        return true;
    if (errno != EINPROGRESS && errno != EAGAIN)
        return false;
    if (!WaitFor(fd, POLLOUT, deadline))
        return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

}  // namespace

void LocalCommandSocket::Close()
{
    m_fd.Reset();
    m_pending.clear();
}

LocalCommandSocket::ReadState LocalCommandSocket::ReadLine(std::string& line)
{
    while (IsOpen()) {
        const std::size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return ReadState::Line;
        }
        if (m_pending.size() >= kMaxLine)
            return ReadState::Refused;
        char buffer[kMaxLine];
        const ssize_t n = ::recv(Fd(), buffer, kMaxLine - m_pending.size(), MSG_DONTWAIT);
        if (n > 0)
            m_pending.append(buffer, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return ReadState::Waiting;
        else
            return ReadState::Refused;
    }
    return ReadState::Refused;
}

bool LocalCommandSocket::Send(std::string_view bytes)
{
    while (IsOpen() && !bytes.empty()) {
        const ssize_t n = ::send(Fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return IsOpen();
}

std::optional<std::string> LocalCommandSocket::Ask(const std::string& path, std::string_view request, int timeoutMs)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    sockaddr_un address;
    if (!UnixAddress(path, address))
        return std::nullopt;
    LocalCommandSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.IsOpen() || !Connect(socket.Fd(), address, deadline))
        return std::nullopt;
    while (!request.empty()) {
        const ssize_t n = ::send(socket.Fd(), request.data(), request.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            request.remove_prefix(static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else if (!(n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) || !WaitFor(socket.Fd(), POLLOUT, deadline))
            return std::nullopt;
    }
    std::string answer;
    for (;;) {
        switch (socket.ReadLine(answer)) {
        case ReadState::Line:
            return answer;
        case ReadState::Refused:
            return std::nullopt;
        case ReadState::Waiting:
            if (!WaitFor(socket.Fd(), POLLIN, deadline))
                return std::nullopt;
            break;
        }
    }
}

std::optional<std::string> LocalCommandSocket::PrivateRuntimeFolder()
{
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (value == nullptr || value[0] != '/')
        return std::nullopt;
    // Without its trailing "/" a link as the last component is not followed.
    std::string folder = value;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    const bool ok = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
                    (status.st_mode & 0777) == 0700;
    ::close(fd);
    return ok ? std::optional<std::string>(folder) : std::nullopt;
}
