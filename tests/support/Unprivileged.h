#pragma once

#include <filesystem>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs a check as a user who is not root: a folder that may not be written stops only such a
// user. The launcher runs as one; tests often run as root. As root the check runs in a child
// process that has become "nobody", `folder` and what it holds handed to that user first.
namespace Unprivileged {

constexpr unsigned kNobody = 65534;
// Run's answer when the child could not become the user or reach the folder.
constexpr int kUnavailable = 77;

// 0 when `check` held, 1 when it did not, kUnavailable.
inline int Run(const std::string& folder, const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check() ? 0 : 1;
    std::error_code ec;
    (void)!::chown(folder.c_str(), kNobody, kNobody);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        (void)!::lchown(entry.path().c_str(), kNobody, kNobody);
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 ||
            ::access(folder.c_str(), R_OK | W_OK | X_OK) != 0)
            ::_exit(kUnavailable);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return 1;
    return WEXITSTATUS(status);
}

}  // namespace Unprivileged
