// The launcher's own CPU time and wake-ups while a title plays: the real recorded play
// (automatic timing) of a title that sleeps for the given seconds, through the play
// controller, with the main window shown, minimised or left open, offscreen or, with
// QT_QPA_PLATFORM=xcb, on an X server (as ./bench.sh runs it under Xvfb). The CPU time
// and the wake-ups (voluntary context switches) of all this process's threads, and of the
// wait helper the launcher starts titles through when there is one, are sampled inside
// the play's wait, once the title has started and once shortly before it ends, so the
// start and the record are not counted. The play's journal is rewritten once a minute, which a
// play this short does not reach: one rewrite is timed on its own afterwards and counted
// pro rata, with the desktop's idle counter and the game controllers read as every beat
// reads them (when the desktop has an idle counter: run under an X server to count it).
//
// With "handoff" the title's script only asks a program that was running before the play
// to start the game (a program in the title's folder that sleeps) and ends at once: the
// samples are then taken while the launcher follows that game, which it waits for through
// a pidfd, with the "プレイ中" window (and its clock) shown as the main window is minimised.
//
//   zarn2_bench_play [seconds [open|handoff]]   (30 s when not given, at least 3; with
//                                          "open" the window stays open during the play,
//                                          the setting to minimise it being off)
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"
#include "BuiltWaitHelper.h"
#include "EventPump.h"
#include "ProcStat.h"

#include "app/CMainFrame.h"
#include "app/CZarn2App.h"
#include "app/CZarn2Shell.h"
#include "app/XcbFlushOverSocket.h"
#include "launch/CPlayController.h"
#include "launch/CPlayJournal.h"
#include "launch/CTitleProcess.h"
#include "launch/IdleWatch.h"
#include "library/CZarn2Doc.h"
#include "platform/DesktopIdleSource.h"
#include "platform/IClock.h"
#include "view/CZarn2View.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample {
    double cpuMs = 0;
    double wallMs = 0;
    long long wakeups = 0;
};

// This process's CPU time and wake-ups (voluntary context switches) over all its threads,
// those that have ended included: an idle thread of Qt's pool ends during a play, and the
// per-thread counts of /proc/self/task/*/status would lose it.
Sample Self()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return Sample{ms(usage.ru_utime) + ms(usage.ru_stime), 0, usage.ru_nvcsw};
}

double WallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// This process and the given helpers together.
Sample Take(const std::vector<std::string>& helpers)
{
    Sample sample = Self();
    sample.wallMs = WallMs();
    for (const std::string& pid : helpers) {
        sample.cpuMs += ProcStat::CpuMs(pid);
        sample.wakeups += ProcStat::Wakeups(pid);
    }
    return sample;
}

// CPU milliseconds and wake-ups of one journal rewrite with its idle reading, over `beats`
// rewrites; `watched` tells whether there was an idle counter to read.
Sample BeatCost(const std::string& tempDir, const CPlayTime& start, int beats, bool& watched)
{
    IdleWatch idle(30);
    watched = idle.Begin(Clock::Get().MonotonicMs());
    CPlayJournal journal(CPlayJournal::PathIn(tempDir));
    if (watched)
        journal.WatchIdle(&idle);
    journal.Begin(PlayJournalEntry{"genre", "title", tempDir + "/title.Log", start, 0});
    Sample before = Take({});
    for (int i = 0; i < beats; ++i)
        journal.Beat();
    Sample after = Take({});
    journal.End();
    return Sample{(after.cpuMs - before.cpuMs) / beats, 0,
                  (after.wakeups - before.wakeups + beats - 1) / beats};
}

// A program running since before the play that, when asked through the FIFO `requests`,
// starts `game` for `seconds` outside the launcher's processes; it ends with its game.
pid_t StartClient(const std::string& requests, const std::string& game, int seconds)
{
    ::mkfifo(requests.c_str(), 0600);
    pid_t client = ::fork();
    if (client != 0)
        return client;
    char byte = 0;
    int fd = ::open(requests.c_str(), O_RDONLY);
    if (fd < 0 || ::read(fd, &byte, 1) != 1)
        ::_exit(1);
    std::string length = std::to_string(seconds);
    if (pid_t started = ::fork(); started == 0) {
        ::execl(game.c_str(), "game", length.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    } else if (started > 0) {
        ::waitpid(started, nullptr, 0);
    }
    ::_exit(0);
}

}  // namespace

int main(int argc, char* argv[])
{
    const int seconds = argc > 1 ? std::max(std::atoi(argv[1]), 3) : 30;
    const bool open = argc > 2 && std::string(argv[2]) == "open";
    const bool handOff = argc > 2 && std::string(argv[2]) == "handoff";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    XcbFlushOverSocket::Before();  // as the launcher does
    QApplication qapp(argc, argv);
    XcbFlushOverSocket::After();
    BenchMessenger messenger(true);
    BuiltWaitHelper helper;
    DesktopIdleSource idleSource;
    IdleSource::Override useIdleSource(idleSource);

    // One genre with one title: a script that sleeps, started with automatic timing.
    std::string folder = BenchFixture::TempFolder("play");
    std::string script = folder + "/sleeper.sh";
    pid_t client = 0;
    if (handOff) {
        std::filesystem::copy_file("/bin/sleep", folder + "/game");
        client = StartClient(folder + "/requests", folder + "/game", seconds);
        BenchFixture::WriteBytes(script, "#!/bin/sh\necho > requests\n");
    } else {
        BenchFixture::WriteBytes(script, "#!/bin/sh\nexec sleep " + std::to_string(seconds) + "\n");
    }
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
    const std::string journalPath = CPlayJournal::PathIn(app.m_szTempDir);
    std::vector<std::string> helpers;
    bool journalKept = false;
    Sample before = Take({});
    Sample waitStart, waitEnd;
    // Both timers fire inside the play's own wait (its nested event loop).
    QTimer::singleShot(1000, [&] {
        // The wait helper runs in a session of its own, no child of the launcher.
        if (member->m_hProcess && member->m_hProcess->HelperPid() > 0)
            helpers = {std::to_string(member->m_hProcess->HelperPid())};
        journalKept = std::filesystem::exists(journalPath);
        waitStart = Take(helpers);
    });
    QTimer::singleShot((seconds - 1) * 1000, [&] { waitEnd = Take(helpers); });
    CPlayController controller(*shell.Document(), app);
    CZarn2View& view = *shell.View();
    CPlayController::Outcome outcome =
        controller.PlayRecorded(view.m_bBusy, [&view] { view.UpdateStatistics(); });
    Sample after = Take({});
    if (client > 0)
        ::waitpid(client, nullptr, 0);

    const bool recorded = outcome == CPlayController::Outcome::Recorded && member != nullptr &&
                          member->m_nSessionCount == shape.sessions + 1 &&
                          waitEnd.wallMs > waitStart.wallMs && journalKept &&
                          !std::filesystem::exists(journalPath);
    if (!recorded) {
        std::fprintf(stderr, "the play was not recorded as expected (outcome %d, journal %s)\n",
                     static_cast<int>(outcome), journalKept ? "kept" : "missing");
        BenchFixture::RemoveTree(folder);
        ::_exit(1);
    }
    bool idleWatched = false;
    const Sample beat = BeatCost(app.m_szTempDir, member->Figures().m_Current, 20, idleWatched);
    const double waitWall = waitEnd.wallMs - waitStart.wallMs;
    const double beats = waitWall / CPlayJournal::kBeatMs;
    const double waitCpu = waitEnd.cpuMs - waitStart.cpuMs + beats * beat.cpuMs;
    const double share = 100.0 * waitCpu / waitWall;
    // The second sample's own timer wakes the launcher once; that wake-up is not the play's.
    // Each rewrite of the journal adds its timer's wake-up to those of the rewrite itself.
    const double wakeups = static_cast<double>(waitEnd.wakeups - waitStart.wakeups - 1) +
                           beats * static_cast<double>(beat.wakeups + 1);
    const double perSecond = wakeups * 1e3 / waitWall;
    std::printf("play of %d s: whole play %.1f ms CPU over %.1f s (start, wait, record, refresh); "
                "wait alone %.1f ms CPU, %.0f wake-ups over %.1f s; %zu wait helper(s); "
                "one journal rewrite %.2f ms CPU, %lld wake-up(s), %s\n",
                seconds, after.cpuMs - before.cpuMs, (after.wallMs - before.wallMs) / 1e3, waitCpu, wakeups,
                waitWall / 1e3, helpers.size(), beat.cpuMs, beat.wakeups,
                idleWatched ? "the idle counter read with it" : "no idle counter on this desktop");
    // Offscreen 4a-4d; under an X server, where every repaint also talks to the server, 4e-4h;
    // a handed-off game followed with its "プレイ中" window shown, 4i-4j.
    const bool x11 = QGuiApplication::platformName() == QStringLiteral("xcb");
    const std::string play =
        BenchReport::Printf(handOff ? "handed-off game plays %.0f s, " : "title plays %.0f s, ", seconds) +
        (open ? "window open" : handOff ? "its プレイ中 window shown" : "window minimised") + (x11 ? ", X server" : "");
    const std::string cpuName = handOff ? "4i" : x11 ? (open ? "4e" : "4g") : (open ? "4b" : "4a");
    const std::string wakeName = handOff ? "4j" : x11 ? (open ? "4f" : "4h") : (open ? "4d" : "4c");
    BenchReport::Figure(cpuName + ". launcher CPU, " + play,
                        BenchReport::Printf("%.3f %% of a core (%.1f ms)", share, waitCpu), "<= 0.100 %",
                        share <= 0.1);
    // The "プレイ中" window that a followed game shows is a window left open: its clock ticks.
    const double wakeTarget = open || handOff ? 2.5 : 0.2;
    BenchReport::Figure(wakeName + ". wake-ups, " + play,
                        BenchReport::Printf("%.2f per second (%.0f)", perSecond, wakeups),
                        BenchReport::Printf("<= %.1f per second", wakeTarget), perSecond <= wakeTarget);
    BenchFixture::RemoveTree(folder);
    std::fflush(stdout);
    ::_exit(0);  // the library's files are in a folder that is gone
}
