#pragma once

#include "platform/ReportChannel.h"

#include <functional>
#include <memory>
#include <string>

class QEventLoop;
class QSocketNotifier;

// A title's program started for a timed play, through the wait helper (src/helper): the
// stored path is the program itself, with no arguments and no shell, in the given working
// folder; a Windows program runs as "wine <path>" when Wine is installed. The program
// reads nothing (standard input is the null device) and writes to the launcher's own
// output. The play lasts until the title's last process has ended: its orphans count,
// Wine's own background processes do not. Neither the end of the wait nor the launcher's
// own end stops the title or anything it started.
class CTitleProcess {
public:
    CTitleProcess();
    ~CTitleProcess();
    CTitleProcess(const CTitleProcess&) = delete;
    CTitleProcess& operator=(const CTitleProcess&) = delete;

    // 0 when the program runs, else the errno of the failed start: of the program or its
    // working folder, or, when HelperFailed(), of the wait helper itself.
    int Start(const std::string& exePath, const std::string& workingDir);
    bool HelperFailed() const { return m_bHelperFailed; }
    // Keeps the launcher's windows live until the title's last process has ended or
    // StopWaiting() is called; returns at once when either has happened.
    void WaitForExit();
    // Ends the wait now; whatever runs goes on running.
    void StopWaiting();
    bool HasEnded() const { return m_bEnded; }
    // The wait helper's process while it runs (0 when unknown).
    int HelperPid() const { return m_nHelperPid; }

    // Called during the wait once the title's first process has ended while others still
    // run, with their names ("a, b"), and again whenever those change.
    std::function<void(const std::string& running)> onStillRunning;

private:
    void ReadReports();

    ReportChannel m_channel;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
    QEventLoop* m_pLoop = nullptr;
    bool m_bEnded = true;
    bool m_bStopped = false;
    bool m_bHelperFailed = false;
    int m_nHelperPid = 0;
};
