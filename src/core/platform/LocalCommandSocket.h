#pragma once

#include "platform/ScopedFd.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One end of a Unix-domain stream socket between two runs of the program that carries
// one short command line and one short answer line. Reads are bounded: a peer that sends
// more than kMaxLine bytes without a line end is refused, so no peer can make this side
// hold more than that. Descriptors are non-blocking and close-on-exec; closed with the
// object.
class LocalCommandSocket {
public:
    // The longest line taken, its "\n" included.
    static constexpr std::size_t kMaxLine = 16;

    explicit LocalCommandSocket(int fd = -1) : m_fd(fd) {}

    int Fd() const { return m_fd.Get(); }
    bool IsOpen() const { return m_fd.Get() >= 0; }
    void Close();

    enum class ReadState {
        Waiting,  // no whole line yet: read again when the descriptor is readable
        Line,     // `line` holds the line, without its "\n"
        Refused   // the peer closed, failed, or sent more than kMaxLine bytes without a line end
    };
    // Reads what has arrived without waiting, never more than the line can still take.
    ReadState ReadLine(std::string& line);
    // Sends all of `bytes` (short enough for the socket's buffer), without a signal when the
    // peer has gone; false when they could not all be sent.
    bool Send(std::string_view bytes);

    // The client's side: connects to the socket at `path`, sends `request` and waits for the
    // answer line, all within `timeoutMs`. Nothing when no one listens there, or no answer
    // line came in time.
    static std::optional<std::string> Ask(const std::string& path, std::string_view request, int timeoutMs);

    // The user's private runtime folder: $XDG_RUNTIME_DIR when it is a folder (not a link)
    // owned by this user with no access for anyone else (mode 0700). Nothing otherwise; a
    // shared folder such as /tmp is never taken in its place, since another user could
    // create the name there first.
    static std::optional<std::string> PrivateRuntimeFolder();

private:
    ScopedFd m_fd;
    std::string m_pending;
};
