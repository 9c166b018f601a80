#include "launch/GameLook.h"

#include "launch/GameMarks.h"
#include "platform/FlatpakInstances.h"
#include "platform/ProcessTable.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace {

// Process start times are counted in clock ticks (10 ms): one that began in the tick of the
// play's start may read a little earlier.
constexpr std::int64_t kTickMs = 10;

// The processes of the instances of `app`: their first processes and all below them.
std::set<int> SandboxOf(const std::string& app, const std::vector<UserProcess>& all, const std::string& runtimeDir)
{
    std::set<int> members;
    const char* fromEnvironment = std::getenv("XDG_RUNTIME_DIR");
    std::string dir = !runtimeDir.empty() ? runtimeDir : fromEnvironment ? fromEnvironment : "";
    for (const FlatpakInstances::Instance& instance : FlatpakInstances::List(dir)) {
        if (instance.app == app)
            members.insert(instance.childPid);
    }
    if (members.empty())
        return members;
    std::multimap<int, int> children;
    for (const UserProcess& process : all)
        children.emplace(process.ppid, process.pid);
    std::vector<int> parents(members.begin(), members.end());
    while (!parents.empty()) {
        int parent = parents.back();
        parents.pop_back();
        auto [first, last] = children.equal_range(parent);
        for (auto it = first; it != last; ++it) {
            if (members.insert(it->second).second)
                parents.push_back(it->second);
        }
    }
    return members;
}

}  // namespace

namespace GameLook {

Result Run(const GameMarks& marks, UserProcessList& processes, bool withOpenCopies, const std::string& runtimeDir)
{
    Result result;
    const std::int64_t beganBootMs = processes.SinceMs();
    std::vector<UserProcess> all = processes.List();
    const std::set<int> sandbox =
        marks.flatpakApp.empty() ? std::set<int>() : SandboxOf(marks.flatpakApp, all, runtimeDir);
    const std::vector<std::string> keys = marks.EnvKeys();
    const int self = ProcessTable::Self();
    for (UserProcess& process : all) {
        bool isNew = process.startMs + kTickMs >= beganBootMs;
        if (process.pid == self || (!isNew && (!withOpenCopies || result.openCopy)))
            continue;
        UserProcesses::Fill(process, keys, !marks.flatpakApp.empty());
        if (!marks.Matches(process) && !sandbox.count(process.pid))
            continue;
        if (isNew)
            result.found.push_back(std::move(process));
        else
            result.openCopy = true;
    }
    return result;
}

std::string Names(std::vector<UserProcess> processes)
{
    std::sort(processes.begin(), processes.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
    std::vector<std::string> names;
    for (const UserProcess& process : processes) {
        if (std::find(names.begin(), names.end(), process.name) == names.end())
            names.push_back(process.name);
    }
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

}  // namespace GameLook
