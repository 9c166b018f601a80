#pragma once

#include "launch/StartedProgram.h"
#include "platform/ReportChannel.h"
#include "platform/ScopedFd.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QSocketNotifier;

// A title's program started for a timed play, through the wait helper (src/helper): the
// command of a StartedProgram (TitleCommand), with no shell, in its working folder. The
// program reads nothing (standard input is the null device) and writes to the launcher's own
// output. The play lasts until the title's last process has ended: its orphans count,
// Wine's own background processes do not. Neither the end of the wait nor the launcher's
// own end stops the title or anything it started.
//
// Every wait runs in a nested event loop on socket notifiers (the report channel, and
// the helper's first process's end), so the launcher's windows stay live and nothing
// wakes while nothing happens.
class CTitleProcess {
public:
    CTitleProcess();
    ~CTitleProcess();
    CTitleProcess(const CTitleProcess&) = delete;
    CTitleProcess& operator=(const CTitleProcess&) = delete;

    // 0 when the program runs, else the errno of the failed start: of the program or its
    // working folder, or, when HelperFailed(), of the wait helper itself. A start not
    // reported within the wait helper's startReportMs is taken as running. A program
    // without a command (a URL handed to the desktop) is only kept: there is nothing to
    // wait for, and the wait has ended.
    int Start(const StartedProgram& program);
    // What was started, for the whole play.
    const StartedProgram& Program() const { return m_program; }
    bool HelperFailed() const { return m_bHelperFailed; }
    // Keeps the launcher's windows live until the title's last process has ended or
    // StopWaiting() is called; returns at once when either has happened.
    void WaitForExit();
    // Ends the wait now; whatever runs goes on running.
    void StopWaiting();
    bool HasEnded() const { return m_bEnded; }
    // The errno of a start taken as running whose failure was reported during the wait
    // (the title never ran), with HelperFailed() when the helper ended without a word; 0
    // for a start that was not reported failed.
    int Failure() const { return m_nFailure; }
    // The wait helper's process while it runs (0 when unknown).
    int HelperPid() const { return m_nHelperPid; }
    // The exit status of the started command's own process (128 + a signal that ended
    // it), once it has ended; nothing before, or when it was not told.
    std::optional<int> ExitCode() const { return m_exitCode; }

    // Called during the wait once the title's first process has ended while others still
    // run, with their names ("a, b"), and again whenever those change.
    std::function<void(const std::string& running)> onStillRunning;

private:
    // Runs a nested event loop until Done(), for at most `timeoutMs` when that is > 0.
    void RunLoop(int timeoutMs);
    bool Done() const;
    void ReadReports();
    void Take(const std::string& text);
    void WatchStarter(int pid);
    void ReapStarter();

    StartedProgram m_program;
    std::optional<int> m_exitCode;
    ReportChannel m_channel;
    QSocketNotifier* m_pReports = nullptr;  // the channel's notifier while a loop runs
    QEventLoop* m_pLoop = nullptr;
    std::vector<std::string> m_early;  // lines that came after the start report, unread yet
    // The helper's first process until it is reaped, and what tells of its end.
    int m_nStarterPid = 0;
    std::optional<ScopedFd> m_starterEnd;
    std::unique_ptr<QSocketNotifier> m_pStarterEnd;
    bool m_bStarting = false;  // Start() waits for the first line
    bool m_bReported = false;  // the first line has come
    bool m_bEnded = true;
    bool m_bStopped = false;
    bool m_bHelperFailed = false;
    int m_nFailure = 0;
    int m_nHelperPid = 0;
};
