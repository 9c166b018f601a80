// The launcher's own CPU time while a title plays: the real recorded play (automatic
// timing) of a title that sleeps for the given seconds, through the play controller, with
// the main window shown offscreen and its status clock ticking every 500 ms. The CPU time
// of this process is sampled inside the play's wait, once the title has started and once
// shortly before it ends, so the start and the record are not counted.
//
//   zarn2_bench_play [seconds [open]]    (30 s when not given, at least 3; with "open" the
//                                          window stays open during the play, the setting
//                                          to minimise it being off)
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"
#include "BuiltWaitHelper.h"
#include "EventPump.h"

#include "app/CMainFrame.h"
#include "app/CZarn2App.h"
#include "app/CZarn2Shell.h"
#include "launch/CPlayController.h"
#include "launch/CTitleProcess.h"
#include "library/CZarn2Doc.h"
#include "view/CZarn2View.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Sample {
    double cpuMs = 0;
    double helperCpuMs = 0;
    double wallMs = 0;
};

double CpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// User and system time of another process (fields 14 and 15 of /proc/<pid>/stat).
double ProcessCpuMs(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string::size_type close = stat.rfind(')');
    if (pid <= 0 || close == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    double ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14)
            ticks += std::stod(field);
    }
    return ticks * 1e3 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double WallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The launcher's CPU time, and the wait helper's while `member` is in a timed play.
Sample Take(const CMember* member)
{
    const CTitleProcess* process = member ? member->m_hProcess : nullptr;
    return Sample{CpuMs(), process ? ProcessCpuMs(process->HelperPid()) : 0, WallMs()};
}

}  // namespace

int main(int argc, char* argv[])
{
    const int seconds = argc > 1 ? std::max(std::atoi(argv[1]), 3) : 30;
    const bool open = argc > 2 && std::string(argv[2]) == "open";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    BenchMessenger messenger(true);
    BuiltWaitHelper helper;

    // One genre with one title: a script that sleeps, started with automatic timing.
    std::string folder = BenchFixture::TempFolder("play");
    std::string script = folder + "/sleeper.sh";
    BenchFixture::WriteBytes(script, "#!/bin/sh\nexec sleep " + std::to_string(seconds) + "\n");
    ::chmod(script.c_str(), 0755);
    BenchFixture::Library shape;
    shape.genres = 1;
    shape.titles = 1;
    shape.sessions = 256;
    shape.currMember = 0;
    shape.exePath = script;
    shape.minimize = open ? 0 : 1;
    std::string exe = BenchFixture::WriteProgramFolder(folder, shape);

    CZarn2App app;
    if (app.Construct(exe, 1280, 1024) != 0)
        return 3;
    CZarn2Shell shell(app);
    shell.InitInstance();
    ProcessEventsFor(1000);  // shown and settled

    CMember* member = shell.Document()->CurrMember();
    Sample before = Take(nullptr);
    Sample waitStart, waitEnd;
    // Both timers fire inside the play's own wait (its nested event loop).
    QTimer::singleShot(1000, [&] { waitStart = Take(member); });
    QTimer::singleShot((seconds - 1) * 1000, [&] { waitEnd = Take(member); });
    CPlayController controller(*shell.Document(), app);
    CZarn2View& view = *shell.View();
    CPlayController::Outcome outcome =
        controller.PlayRecorded(view.m_bBusy, [&view] { view.UpdateStatistics(); });
    Sample after = Take(nullptr);

    const bool recorded = outcome == CPlayController::Outcome::Recorded && member != nullptr &&
                          member->m_nSessionCount == shape.sessions + 1 && waitEnd.wallMs > waitStart.wallMs;
    if (!recorded) {
        std::fprintf(stderr, "the play was not recorded as expected (outcome %d)\n", static_cast<int>(outcome));
        BenchFixture::RemoveTree(folder);
        ::_exit(1);
    }
    const double helperCpu = waitEnd.helperCpuMs - waitStart.helperCpuMs;
    const double waitCpu = waitEnd.cpuMs - waitStart.cpuMs + helperCpu;
    const double waitWall = waitEnd.wallMs - waitStart.wallMs;
    const double share = 100.0 * waitCpu / waitWall;
    std::printf("play of %d s: whole play %.1f ms CPU over %.1f s (start, wait, record, refresh); "
                "wait alone %.1f ms CPU (the wait helper's %.1f ms) over %.1f s\n",
                seconds, after.cpuMs - before.cpuMs, (after.wallMs - before.wallMs) / 1e3, waitCpu, helperCpu,
                waitWall / 1e3);
    BenchReport::Figure(BenchReport::Printf(open ? "4b. launcher CPU, title plays %.0f s, window open"
                                                 : "4a. launcher CPU, title plays %.0f s, window minimised",
                                            seconds),
                        BenchReport::Printf("%.3f %% of a core (%.1f ms)", share, waitCpu), "<= 0.100 %",
                        share <= 0.1);
    BenchFixture::RemoveTree(folder);
    std::fflush(stdout);
    ::_exit(0);  // the library's files are in a folder that is gone
}
