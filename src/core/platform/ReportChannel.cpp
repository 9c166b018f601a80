#include "platform/ReportChannel.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

ReportChannel::~ReportChannel()
{
    Close();
}

ReportChannel::ReportChannel(ReportChannel&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_pending(std::move(other.m_pending))
{
}

ReportChannel& ReportChannel::operator=(ReportChannel&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_pending = std::move(other.m_pending);
    }
    return *this;
}

void ReportChannel::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void ReportChannel::KeepFromChildren()
{
    if (m_fd >= 0)
        ::fcntl(m_fd, F_SETFD, FD_CLOEXEC);
}

bool ReportChannel::Send(const std::string& line)
{
    std::string text = line + "\n";
    std::size_t sent = 0;
    while (m_fd >= 0 && sent < text.size()) {
        ssize_t n = ::send(m_fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return m_fd >= 0;
}

bool ReportChannel::TakeLine(std::string& line)
{
    std::string::size_type end = m_pending.find('\n');
    if (end == std::string::npos)
        return false;
    line = m_pending.substr(0, end);
    m_pending.erase(0, end + 1);
    return true;
}

bool ReportChannel::Receive()
{
    char buffer[4096];
    for (;;) {
        ssize_t n = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            m_pending.append(buffer, static_cast<std::size_t>(n));
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

std::optional<std::string> ReportChannel::ReadLine(int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (m_fd >= 0 && !TakeLine(line)) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{m_fd, POLLIN, 0};
        int n = left > 0 ? ::poll(&ready, 1, static_cast<int>(left)) : 0;
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || !Receive())
            return std::nullopt;
    }
    return m_fd >= 0 ? std::optional<std::string>(line) : std::nullopt;
}

bool ReportChannel::ReadAvailable(std::vector<std::string>& lines)
{
    bool open = m_fd >= 0 && Receive();
    std::string line;
    while (TakeLine(line))
        lines.push_back(line);
    return open;
}
