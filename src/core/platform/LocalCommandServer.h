#pragma once

#include "platform/LocalCommandSocket.h"

#include <string>

// The listening end of a Unix-domain stream socket at a path: made with user-only access,
// non-blocking and close-on-exec; the socket file is removed with the object. Whatever
// socket already has the path is replaced: only the holder of the run's lock listens, so
// a socket found there was left by a run that was killed. Anything but a socket under
// the name is left alone and nothing listens.
class LocalCommandServer {
public:
    LocalCommandServer() = default;
    ~LocalCommandServer();
    LocalCommandServer(const LocalCommandServer&) = delete;
    LocalCommandServer& operator=(const LocalCommandServer&) = delete;

    // 0, or the errno of the step that failed (ENAMETOOLONG when the path does not fit an
    // address, EEXIST when something other than a socket has the name).
    int Listen(const std::string& path);
    void Close();

    bool Listening() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    // The next waiting connection of a process of this user, without waiting; a closed
    // socket when there is none (connections of other users are closed at once).
    LocalCommandSocket Accept();

private:
    int m_fd = -1;
    std::string m_path;
};
