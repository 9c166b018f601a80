#include "launch/CTitleProcess.h"

#include "launch/WaitHelper.h"
#include "platform/HelperProcess.h"
#include "platform/WaitReport.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>

CTitleProcess::CTitleProcess() = default;

// Closing the report channel leaves the helper, and with it the title, to itself.
CTitleProcess::~CTitleProcess()
{
    ReapStarter();
    m_pStarterEnd.reset();
}

int CTitleProcess::Start(const StartedProgram& program)
{
    m_program = program;
    if (!program.Waited())
        return 0;
    std::vector<std::string> args{std::to_string(HelperProcess::kReportFd), program.folder};
    args.insert(args.end(), program.argv.begin(), program.argv.end());

    const WaitHelperLocation& helperAt = WaitHelper::Get();
    HelperProcess::Started helper = HelperProcess::Start(helperAt.path, args);
    m_bHelperFailed = helper.error != 0;
    if (m_bHelperFailed)
        return helper.error;
    m_channel = std::move(helper.channel);
    WatchStarter(helper.pid);
    m_bEnded = false;
    m_bStopped = false;
    m_bStarting = true;
    RunLoop(helperAt.startReportMs);
    m_bStarting = false;
    if (m_nFailure != 0) {
        m_channel.Close();
        m_bEnded = true;
        return m_nFailure;
    }
    // A start that takes longer to report is taken as running, and waited for; its report
    // is read during the wait.
    return 0;
}

void CTitleProcess::WaitForExit()
{
    std::vector<std::string> early;
    early.swap(m_early);
    for (const std::string& line : early) {
        if (!m_bStopped)
            Take(line);
    }
    RunLoop(0);
}

void CTitleProcess::StopWaiting()
{
    m_bStopped = true;
    if (m_pLoop)
        m_pLoop->quit();
}

bool CTitleProcess::Done() const
{
    return m_bEnded || m_bStopped || m_nFailure != 0 || (m_bStarting && m_bReported);
}

void CTitleProcess::RunLoop(int timeoutMs)
{
    if (!Done()) {
        QEventLoop loop;
        QSocketNotifier reports(m_channel.Fd(), QSocketNotifier::Read);
        QObject::connect(&reports, &QSocketNotifier::activated, [this] { ReadReports(); });
        if (timeoutMs > 0)
            QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.quit(); });
        m_pReports = &reports;
        m_pLoop = &loop;
        loop.exec();
        m_pLoop = nullptr;
        m_pReports = nullptr;
    }
    ReapStarter();
}

// The lines that have come, then the channel's end, which is the helper's. While the
// start is waited for, the lines after the first are kept for the wait.
void CTitleProcess::ReadReports()
{
    std::vector<std::string> lines;
    bool open = m_channel.ReadAvailable(lines);
    for (const std::string& text : lines) {
        if (m_bStopped)
            return;
        if (m_bStarting && m_bReported)
            m_early.push_back(text);
        else
            Take(text);
    }
    if (!open) {
        if (m_pReports)
            m_pReports->setEnabled(false);
        m_channel.Close();
        m_bEnded = true;
        m_nHelperPid = 0;
        if (!m_bReported) {
            // Ended without a word: the helper itself did not work.
            m_bHelperFailed = true;
            m_nFailure = ENOEXEC;
        }
    }
    if (m_pLoop && Done())
        m_pLoop->quit();
}

void CTitleProcess::Take(const std::string& text)
{
    m_bReported = true;
    WaitReport::Line line = WaitReport::Parse(text);
    if (line.kind == WaitReport::Line::Kind::Started)
        m_nHelperPid = line.first;
    else if (line.kind == WaitReport::Line::Kind::Failed)
        m_nFailure = line.first != 0 ? line.first : ENOEXEC;
    else if (line.kind == WaitReport::Line::Kind::Exited)
        m_exitCode = line.first;
    else if (line.kind == WaitReport::Line::Kind::Running && onStillRunning)
        onStillRunning(line.names);
}

// The helper's first process ends at once (the helper goes on in a process of its own);
// it is reaped when its end is told, and otherwise tried again after each wait.
void CTitleProcess::WatchStarter(int pid)
{
    m_nStarterPid = pid;
    int fd = HelperProcess::EndNotice(pid);
    if (fd < 0)
        return;
    m_starterEnd.emplace(fd);
    m_pStarterEnd = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_pStarterEnd.get(), &QSocketNotifier::activated, [this] { ReapStarter(); });
}

void CTitleProcess::ReapStarter()
{
    if (m_nStarterPid == 0 || !HelperProcess::TryReap(m_nStarterPid))
        return;
    m_nStarterPid = 0;
    if (m_pStarterEnd)
        m_pStarterEnd->setEnabled(false);
}
