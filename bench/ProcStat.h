#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// What /proc tells about a process: its wake-ups (voluntary context switches of all its
// threads) and CPU time.
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

// User and system CPU time of a process in milliseconds.
inline double CpuMs(const std::string& pid)
{
    std::vector<std::string> f = StatFields(pid);
    if (f.size() < 13)
        return 0;
    return (std::stod(f[11]) + std::stod(f[12])) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

}  // namespace ProcStat
