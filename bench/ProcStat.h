#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// What /proc tells about a process: its wake-ups (voluntary context switches of all its
// threads) and CPU time, and the launcher's wait helpers among its children.
namespace ProcStat {

// Sum of voluntary_ctxt_switches over /proc/<pid>/task/*/status (the living threads).
inline long long Wakeups(const std::string& pid)
{
    long long sum = 0;
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + pid + "/task", ec)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                sum += std::stoll(line.substr(line.find(':') + 1));
    }
    return sum;
}

// The fields of /proc/<pid>/stat after the command name (field 3 onwards).
inline std::vector<std::string> StatFields(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> fields;
    std::string::size_type close = text.rfind(')');
    if (close == std::string::npos)
        return fields;
    std::istringstream rest(text.substr(close + 1));
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields;
}

inline std::string Comm(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

// User and system CPU time of a process in milliseconds.
inline double CpuMs(const std::string& pid)
{
    std::vector<std::string> f = StatFields(pid);
    if (f.size() < 13)
        return 0;
    return (std::stod(f[11]) + std::stod(f[12])) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// This process's children named `comm`.
inline std::vector<std::string> Children(const std::string& comm)
{
    std::vector<std::string> pids;
    const std::string self = std::to_string(::getpid());
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::string pid = entry.path().filename();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::vector<std::string> f = StatFields(pid);
        if (f.size() > 1 && f[1] == self && Comm(pid) == comm)
            pids.push_back(pid);
    }
    return pids;
}

}  // namespace ProcStat
