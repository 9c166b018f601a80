// zarn2-wait: starts a title for a timed play and ends when the title's last process has.
//
//   zarn2-wait <report fd> <folder> <program> [argument...]
//
// It leaves its starter at once, in a session of its own, so the launcher's end never
// touches it or the title. It adopts every orphan below it, starts the program in the
// folder and reaps every process below it as it ends; it ends when nothing is left below
// it but Wine's own background processes, which it leaves running. What happens goes to
// the report descriptor as the lines of platform/WaitReport.h.
#include "platform/ChildProcesses.h"
#include "platform/LeadingInt.h"
#include "platform/ProcessTable.h"
#include "platform/ReportChannel.h"
#include "platform/WaitReport.h"
#include "platform/WineProcesses.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Request {
    int reportFd = -1;
    std::string folder;
    std::vector<std::string> argv;
};

std::optional<Request> ParseArguments(int argc, char* argv[])
{
    if (argc < 4)
        return std::nullopt;
    std::optional<int> fd = LeadingInt(argv[1]);
    if (!fd || *fd < 0)
        return std::nullopt;
    return Request{*fd, argv[2], std::vector<std::string>(argv + 3, argv + argc)};
}

// The names of what still counts below this process, each once, in pid order.
std::vector<std::string> CountedNames()
{
    std::vector<ProcessEntry> below = ProcessTable::Descendants(ProcessTable::Self());
    std::sort(below.begin(), below.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
    std::vector<std::string> names;
    for (const ProcessEntry& process : below) {
        if (!WineProcesses::IsBackground(process) &&
            std::find(names.begin(), names.end(), process.name) == names.end())
            names.push_back(process.name);
    }
    return names;
}

// Reaps until nothing counted is left. Whether anything counts is decided again whenever a
// child ends: a title's processes end one by one, and each end re-parents its orphans here.
void WaitForTheLast(int titlePid, ReportChannel& report)
{
    bool titleEnded = false;
    std::string lastReport;
    for (;;) {
        int code = 0;
        int ended = ChildProcesses::WaitForAnyChild(&code);
        if (ended < 0)
            return;
        if (ended == titlePid) {
            titleEnded = true;
            report.Send(WaitReport::Exited(code));
        }
        std::vector<std::string> names = CountedNames();
        if (names.empty())
            return;
        std::string line = WaitReport::Running(names);
        if (titleEnded && line != lastReport && report.Send(line))
            lastReport = line;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    std::optional<Request> request = ParseArguments(argc, argv);
    if (!request) {
        std::fputs("usage: zarn2-wait <report fd> <folder> <program> [argument...]\n", stderr);
        return 2;
    }
    ReportChannel report(request->reportFd);
    report.KeepFromChildren();
    if (int error = ChildProcesses::ContinueDetached(); error != 0) {
        report.Send(WaitReport::Failed(error));
        return 1;
    }
    // Without it orphans go to init and are not waited for; the title still is.
    ChildProcesses::BecomeSubreaper();
    ChildProcesses::Spawned title = ChildProcesses::Spawn(request->argv, request->folder);
    if (title.error != 0) {
        report.Send(WaitReport::Failed(title.error));
        return 1;
    }
    report.Send(WaitReport::Started(ProcessTable::Self(), title.pid));
    WaitForTheLast(title.pid, report);
    return 0;
}
