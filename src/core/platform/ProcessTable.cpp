#include "platform/ProcessTable.h"

#include "platform/LeadingInt.h"

#include <climits>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A pid written alone; 0 for anything else.
int ToPid(std::string_view text)
{
    std::optional<LeadingNumber> number = ParseLeadingInt(text);
    return number && number->end == text.size() ? number->value : 0;
}

// "pid (name) state ppid ...": the name may hold blanks and parentheses, so it runs to the
// last ")".
bool ParseStat(const std::string& stat, ProcessEntry& entry)
{
    std::string::size_type open = stat.find('(');
    std::string::size_type close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open || close + 4 > stat.size())
        return false;
    entry.name = stat.substr(open + 1, close - open - 1);
    entry.state = stat[close + 2];
    std::string::size_type ppidStart = close + 4;
    std::string::size_type ppidEnd = stat.find(' ', ppidStart);
    entry.ppid = ToPid(std::string_view(stat).substr(ppidStart, ppidEnd - ppidStart));
    return true;
}

std::vector<std::string> FirstArgs(const std::string& cmdline, std::size_t count)
{
    std::vector<std::string> args;
    std::string::size_type start = 0;
    while (args.size() < count && start < cmdline.size()) {
        std::string::size_type end = cmdline.find('\0', start);
        if (end == std::string::npos)
            end = cmdline.size();
        args.push_back(cmdline.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

std::string ExeName(const std::string& procDir)
{
    char target[PATH_MAX];
    ssize_t n = ::readlink((procDir + "/exe").c_str(), target, sizeof target - 1);
    if (n <= 0)
        return {};
    std::string path(target, static_cast<std::size_t>(n));
    return path.substr(path.rfind('/') + 1);
}

// Every process that can be read, by pid.
std::map<int, ProcessEntry> AllProcesses()
{
    std::map<int, ProcessEntry> all;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return all;
    while (dirent* item = ::readdir(proc)) {
        int pid = ToPid(item->d_name);
        ProcessEntry entry;
        if (pid > 0 && ParseStat(ReadAll("/proc/" + std::string(item->d_name) + "/stat"), entry)) {
            entry.pid = pid;
            all.emplace(pid, std::move(entry));
        }
    }
    ::closedir(proc);
    return all;
}

} // namespace

namespace ProcessTable {

int Self()
{
    return static_cast<int>(::getpid());
}

std::vector<ProcessEntry> Descendants(int ancestor)
{
    std::map<int, ProcessEntry> all = AllProcesses();
    std::multimap<int, int> children;
    for (const auto& [pid, entry] : all)
        children.emplace(entry.ppid, pid);
    std::vector<ProcessEntry> found;
    std::vector<int> parents{ancestor};
    while (!parents.empty()) {
        int parent = parents.back();
        parents.pop_back();
        auto [first, last] = children.equal_range(parent);
        for (auto it = first; it != last; ++it) {
            parents.push_back(it->second);
            ProcessEntry& entry = all[it->second];
            if (entry.state == 'Z' || entry.state == 'X')
                continue;
            std::string dir = "/proc/" + std::to_string(entry.pid);
            entry.args = FirstArgs(ReadAll(dir + "/cmdline"), 2);
            entry.exeName = ExeName(dir);
            found.push_back(entry);
        }
    }
    return found;
}

} // namespace ProcessTable
