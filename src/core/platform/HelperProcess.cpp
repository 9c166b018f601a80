#include "platform/HelperProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Every signal at its default and none blocked, whatever the launcher's threads chose.
void CleanSignals(posix_spawnattr_t& attributes)
{
    sigset_t all, none;
    ::sigfillset(&all);
    ::sigemptyset(&none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
}

} // namespace

namespace HelperProcess {

Started Start(const std::string& program, const std::vector<std::string>& args)
{
    Started started;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        started.error = errno;
        return started;
    }
    ReportChannel ours(ends[0]);
    ReportChannel theirs(ends[1]);
    std::vector<char*> words{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        words.push_back(const_cast<char*>(arg.c_str()));
    words.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    // Also when the socket already is descriptor 3: that clears its close-on-exec flag.
    ::posix_spawn_file_actions_adddup2(&actions, theirs.Fd(), kReportFd);
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    CleanSignals(attributes);
    pid_t pid = -1;
    started.error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, words.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (started.error == 0) {
        started.pid = pid;
        started.channel = std::move(ours);
    }
    return started;
}

bool TryReap(int pid)
{
    int status = 0;
    for (;;) {
        pid_t reaped = ::waitpid(pid, &status, WNOHANG);
        if (reaped >= 0 || errno != EINTR)
            return reaped != 0;  // ended and reaped, or no such child (any more)
    }
}

// Through syscall(): the C library's wrapper is missing from some of its versions' C++
// declarations.
int EndNotice(int pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

} // namespace HelperProcess
