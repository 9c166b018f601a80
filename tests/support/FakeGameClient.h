#pragma once

#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A game client that was running before the play, in a session of its own:
// tests/support/fake-game-client.sh, which starts a game for each request (as the client's
// URL handler passes it on) outside the asker's processes, with that client's marks. Its
// $XDG_RUNTIME_DIR, where it keeps Flatpak-like instance folders, is RuntimeDir(). The
// daemon and every game it started end with the object.
class FakeGameClient {
public:
    // The script of this source tree, or the copy ZARN2_FAKE_GAME_CLIENT names (the run as a
    // normal user copies it where that user may read it).
    static const char* Script()
    {
        const char* copy = std::getenv("ZARN2_FAKE_GAME_CLIENT");
        return copy && *copy ? copy : ZARN2_FAKE_GAME_CLIENT;
    }

    FakeGameClient()
    {
        m_fifo = m_dir / "requests";
        ::mkfifo(m_fifo.c_str(), 0600);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::setsid();
            ::setenv("XDG_RUNTIME_DIR", m_dir.Path().c_str(), 1);
            ::execl("/bin/bash", "bash", Script(), m_fifo.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // The open waits until the daemon reads.
        m_requests = ::open(m_fifo.c_str(), O_WRONLY | O_CLOEXEC);
    }
    ~FakeGameClient()
    {
        if (m_requests >= 0)
            ::close(m_requests);
        if (m_pid > 0) {
            ::kill(-m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    FakeGameClient(const FakeGameClient&) = delete;
    FakeGameClient& operator=(const FakeGameClient&) = delete;

    // Passes one request on ("steam 570 5"), as the client's URL handler would.
    void Ask(const std::string& request)
    {
        std::string line = request + "\n";
        [[maybe_unused]] ssize_t written = ::write(m_requests, line.data(), line.size());
    }
    const std::string& Fifo() const { return m_fifo; }
    const std::string& RuntimeDir() const { return m_dir.Path(); }

private:
    TempDir m_dir;
    std::string m_fifo;
    pid_t m_pid = -1;
    int m_requests = -1;
};
