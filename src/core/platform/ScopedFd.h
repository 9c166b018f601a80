#pragma once

#include <unistd.h>

#include <utility>

// A file descriptor closed when leaving scope, unless it was taken.
class ScopedFd {
public:
    explicit ScopedFd(int fd) : m_fd(fd) {}
    ~ScopedFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;

    int Get() const { return m_fd; }
    int Take() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};
