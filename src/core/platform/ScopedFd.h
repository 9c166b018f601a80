#pragma once

#include <unistd.h>

#include <utility>

// A file descriptor closed when leaving scope, unless it was taken.
class ScopedFd {
public:
    ScopedFd() = default;
    explicit ScopedFd(int fd) : m_fd(fd) {}
    ~ScopedFd() { Reset(); }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    ScopedFd(ScopedFd&& other) noexcept : m_fd(other.Take()) {}
    ScopedFd& operator=(ScopedFd&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_fd = other.Take();
        }
        return *this;
    }

    void Reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    int Get() const { return m_fd; }
    int Take() { return std::exchange(m_fd, -1); }

private:
    int m_fd = -1;
};
