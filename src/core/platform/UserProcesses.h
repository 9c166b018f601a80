#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// One process of this user as /proc shows it. A look lists every process with the fields
// of its stat line; Fill reads the rest for the few processes a look wants to know more of.
struct UserProcess {
    int pid = 0;
    int ppid = 0;
    char state = '?';           // R, S, D, T, Z, ...
    std::int64_t startMs = 0;   // since the machine started, on BootMsNow()'s clock
    std::string name;           // the kernel's short name (comm)
    // Read by Fill:
    std::string exePath;                                  // "" when unknown
    std::vector<std::string> args;                        // the whole command line
    std::vector<std::pair<std::string, std::string>> env; // the variables asked for that it has
    std::string flatpakApp;  // the application of the Flatpak sandbox it runs in, "" outside one

    // The value of an environment variable Fill read, or nullptr.
    const std::string* Env(const std::string& key) const;
};

namespace UserProcesses {

// The clock process start times are on: milliseconds since the machine started, suspends
// included.
std::int64_t BootMsNow();

// Reads the executable, the command line, the environment variables named in `keys` and,
// with `sandbox`, the Flatpak application of one listed process. What cannot be read, or is
// not asked for, stays empty.
void Fill(UserProcess& process, const std::vector<std::string>& keys, bool sandbox = true);

// A descriptor that becomes readable when this very process ends (a pidfd, close-on-exec),
// which the caller closes; -1 with `ended` set when it has already ended (its pid is free,
// or now another process's), -1 without it where the kernel offers no such descriptor.
int EndNotice(const UserProcess& process, bool& ended);

}  // namespace UserProcesses

// This user's processes (whose /proc folders this user owns), listed again and again while
// a game is looked for. Another user's process, and one of this user's that started before
// `sinceBootMs`, is looked at once and then only listed again, as long as its /proc folder
// is the same one (a pid taken by a new process is a new folder); the others are read at
// every look.
class UserProcessList {
public:
    explicit UserProcessList(std::int64_t sinceBootMs) : m_nSinceMs(sinceBootMs) {}

    // Every one that has not ended, with the fields of its stat line.
    std::vector<UserProcess> List();
    std::int64_t SinceMs() const { return m_nSinceMs; }

private:
    struct Known {
        unsigned long long inode = 0;
        bool ours = false;
        UserProcess process;  // when ours
    };
    std::int64_t m_nSinceMs;
    std::unordered_map<int, Known> m_known;  // by pid
};
