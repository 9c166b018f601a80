#include "platform/UserProcesses.h"

#include "platform/FlatpakInstances.h"
#include "platform/LeadingInt.h"
#include "platform/ScopedFd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Reads a /proc file below `dir` whole, up to `limit` bytes.
std::string ReadBelow(int dir, const std::string& path, std::size_t limit)
{
    ScopedFd fd(::openat(dir, path.c_str(), O_RDONLY | O_CLOEXEC));
    std::string bytes;
    if (fd.Get() < 0)
        return bytes;
    char buffer[4096];
    while (bytes.size() < limit) {
        ssize_t n = ::read(fd.Get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

std::int64_t TicksToMs(long long ticks)
{
    static const long perSecond = std::max(::sysconf(_SC_CLK_TCK), 1L);
    return ticks * 1000 / perSecond;
}

// "pid (name) state ppid ... starttime ...": the name may hold blanks and parentheses, so
// it runs to the last ")"; the start is the 22nd field, the 20th after the name.
bool ParseStat(const std::string& stat, UserProcess& process)
{
    std::string::size_type open = stat.find('(');
    std::string::size_type close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open || close + 2 >= stat.size())
        return false;
    process.name = stat.substr(open + 1, close - open - 1);
    process.state = stat[close + 2];
    const char* field = stat.c_str() + close + 2;
    for (int index = 0; index < 20 && field; ++index) {
        if (index == 1)
            process.ppid = static_cast<int>(std::strtol(field, nullptr, 10));
        if (index == 19) {
            process.startMs = TicksToMs(std::strtoll(field, nullptr, 10));
            return true;
        }
        field = std::strchr(field, ' ');
        if (field)
            ++field;
    }
    return false;
}

std::vector<std::string> SplitNul(const std::string& bytes)
{
    std::vector<std::string> words;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        std::string::size_type end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string ReadLink(int dir, const std::string& path)
{
    char target[PATH_MAX];
    ssize_t n = ::readlinkat(dir, path.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

// The pid of a /proc entry's name; 0 for anything but digits.
int PidOf(const char* name)
{
    if (*name < '1' || *name > '9')
        return 0;
    std::optional<LeadingNumber> number = ParseLeadingInt(name);
    return number && name[number->end] == '\0' ? number->value : 0;
}

}  // namespace

const std::string* UserProcess::Env(const std::string& key) const
{
    for (const auto& [variable, value] : env) {
        if (variable == key)
            return &value;
    }
    return nullptr;
}

namespace UserProcesses {

std::int64_t BootMsNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void Fill(UserProcess& process, const std::vector<std::string>& keys, bool sandbox)
{
    ScopedFd proc(::open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (proc.Get() < 0)
        return;
    const std::string pid = std::to_string(process.pid);
    process.exePath = ReadLink(proc.Get(), pid + "/exe");
    process.args = SplitNul(ReadBelow(proc.Get(), pid + "/cmdline", 64 * 1024));
    process.env.clear();
    if (!keys.empty()) {
        for (const std::string& entry : SplitNul(ReadBelow(proc.Get(), pid + "/environ", 1024 * 1024))) {
            std::string::size_type equals = entry.find('=');
            if (equals != std::string::npos &&
                std::find(keys.begin(), keys.end(), entry.substr(0, equals)) != keys.end())
                process.env.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
        }
    }
    if (!sandbox)
        return;
    // A sandbox holds its information file at its root.
    std::string info = ReadBelow(proc.Get(), pid + "/root/.flatpak-info", 64 * 1024);
    process.flatpakApp = info.empty() ? std::string() : FlatpakInstances::AppOf(info);
}

// Through syscall(): the C library's wrapper is missing from some of its versions' C++
// declarations. The pid is checked after the descriptor is opened: a process that started
// later under a pid freed meanwhile has another start time.
int EndNotice(const UserProcess& process, bool& ended)
{
    ended = false;
    int fd = static_cast<int>(::syscall(SYS_pidfd_open, process.pid, 0));
    if (fd < 0) {
        ended = errno == ESRCH;
        return -1;
    }
    ScopedFd notice(fd);
    ScopedFd proc(::open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    UserProcess now;
    if (proc.Get() >= 0 &&
        (!ParseStat(ReadBelow(proc.Get(), std::to_string(process.pid) + "/stat", 4096), now) ||
         now.startMs != process.startMs || now.state == 'Z' || now.state == 'X')) {
        ended = true;
        return -1;
    }
    return notice.Take();
}

}  // namespace UserProcesses

std::vector<UserProcess> UserProcessList::List()
{
    std::vector<UserProcess> found;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return found;
    const int dir = ::dirfd(proc);
    const uid_t self = ::geteuid();
    std::unordered_map<int, Known> known;
    while (dirent* item = ::readdir(proc)) {
        int pid = PidOf(item->d_name);
        if (pid == 0)
            continue;
        if (auto seen = m_known.find(pid); seen != m_known.end() && seen->second.inode == item->d_ino) {
            if (seen->second.ours)
                found.push_back(seen->second.process);
            known.emplace(pid, std::move(seen->second));
            continue;
        }
        struct stat owner {};
        if (::fstatat(dir, item->d_name, &owner, 0) != 0)
            continue;
        if (owner.st_uid != self) {
            known.emplace(pid, Known{item->d_ino, false, {}});
            continue;
        }
        UserProcess process;
        process.pid = pid;
        if (!ParseStat(ReadBelow(dir, std::string(item->d_name) + "/stat", 4096), process) || process.state == 'Z' ||
            process.state == 'X')
            continue;
        if (process.startMs < m_nSinceMs)
            known.emplace(pid, Known{item->d_ino, true, process});
        found.push_back(std::move(process));
    }
    ::closedir(proc);
    m_known = std::move(known);
    return found;
}
