#include "platform/ChildProcesses.h"

#include <cerrno>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ChildProcesses {

int ContinueDetached()
{
    pid_t pid = ::fork();
    if (pid < 0)
        return errno;
    if (pid > 0)
        ::_exit(0);
    ::setsid();
    return 0;
}

int BecomeSubreaper()
{
    return ::prctl(PR_SET_CHILD_SUBREAPER, 1L, 0L, 0L, 0L) == 0 ? 0 : errno;
}

Spawned Spawn(const std::vector<std::string>& argv, const std::string& folder)
{
    Spawned spawned;
    if (argv.empty()) {
        spawned.error = ENOENT;
        return spawned;
    }
    std::vector<char*> words;
    for (const std::string& word : argv)
        words.push_back(const_cast<char*>(word.c_str()));
    words.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!folder.empty())
        ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    spawned.error = ::posix_spawnp(&pid, words[0], &actions, nullptr, words.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned.error == 0)
        spawned.pid = pid;
    return spawned;
}

int WaitForAnyChild(int* code)
{
    for (;;) {
        int status = 0;
        pid_t pid = ::waitpid(-1, &status, __WALL);
        if (pid >= 0) {
            if (code)
                *code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
            return pid;
        }
        if (errno != EINTR)
            return -1;
    }
}

} // namespace ChildProcesses
