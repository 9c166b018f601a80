#pragma once

#include <QProcess>

#include <string>

// A title's program started for a timed play: the stored path is the program itself, with
// no arguments and no shell, in the given working folder; a Windows program runs as
// "wine <path>" when Wine is installed. The program reads nothing from the launcher
// (standard input is the null device) and writes to the launcher's own output, so no
// pipe can fill up and stall it.
class CTitleProcess {
public:
    CTitleProcess();
    ~CTitleProcess();
    CTitleProcess(const CTitleProcess&) = delete;
    CTitleProcess& operator=(const CTitleProcess&) = delete;

    // 0 when the program runs, else an errno-style code: 2 (ENOENT) program or working
    // folder missing, 13 (EACCES) not executable, 20 (ENOTDIR) working folder not a folder,
    // 8 (ENOEXEC) anything else that keeps it from starting.
    int Start(const std::string& exePath, const std::string& workingDir);
    // Keeps the launcher's windows live until the program has ended (or failed to start);
    // returns at once when it already has. Only the started process is waited for.
    void WaitForExit();
    bool HasEnded() const { return m_bEnded; }

private:
    int StartErrorCode(const std::string& program, const std::string& workingDir) const;

    // QProcess kills a running program when it is destroyed; this one can let it go.
    class Process : public QProcess {
    public:
        void Release() { setProcessState(QProcess::NotRunning); }
    };

    Process m_process;
    bool m_bEnded = false;
};
