#pragma once

#include <optional>
#include <string>
#include <vector>

// One end of a local stream socket that carries lines from a helper program to the
// launcher. Closed with the object.
class ReportChannel {
public:
    explicit ReportChannel(int fd = -1) : m_fd(fd) {}
    ~ReportChannel();
    ReportChannel(ReportChannel&& other) noexcept;
    ReportChannel& operator=(ReportChannel&& other) noexcept;
    ReportChannel(const ReportChannel&) = delete;
    ReportChannel& operator=(const ReportChannel&) = delete;

    int Fd() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    void Close();

    // The helper's end: kept from the programs it starts.
    void KeepFromChildren();
    // Sends one line ("\n" added). A reader that has gone away is no failure worth a
    // signal: false then, and nothing else happens.
    bool Send(const std::string& line);

    // The launcher's end. The next line, waiting up to `timeoutMs`; nullopt when none came
    // in that time or the other end closed without one.
    std::optional<std::string> ReadLine(int timeoutMs);
    // Appends the complete lines that have arrived, without waiting; false once the other
    // end has closed (after the lines it sent).
    bool ReadAvailable(std::vector<std::string>& lines);

private:
    bool TakeLine(std::string& line);
    // Reads what has arrived, without waiting; false at the end of the stream.
    bool Receive();

    int m_fd;
    std::string m_pending;
};
