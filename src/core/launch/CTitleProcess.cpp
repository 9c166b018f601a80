#include "launch/CTitleProcess.h"

#include "launch/WaitHelper.h"
#include "platform/HelperProcess.h"
#include "platform/ProgramKind.h"
#include "platform/WaitReport.h"

#include <QEventLoop>
#include <QSocketNotifier>

#include <cerrno>
#include <optional>
#include <vector>

namespace {
// How long a start may take to report success or failure before the wait takes over.
constexpr int kStartReportMs = 10000;
}  // namespace

CTitleProcess::CTitleProcess() = default;

// Closing the report channel leaves the helper, and with it the title, to itself.
CTitleProcess::~CTitleProcess()
{
    m_pNotifier.reset();
}

int CTitleProcess::Start(const std::string& exePath, const std::string& workingDir)
{
    std::vector<std::string> args{std::to_string(HelperProcess::kReportFd), workingDir};
    std::string wine = Programs::FindWine();
    if (!wine.empty() && Programs::Classify(exePath) == ProgramKind::Windows)
        args.push_back(wine);
    args.push_back(exePath);

    HelperProcess::Started helper = HelperProcess::Start(WaitHelper::Get().path, args);
    m_bHelperFailed = helper.error != 0;
    if (m_bHelperFailed)
        return helper.error;
    m_channel = std::move(helper.channel);
    std::optional<std::string> first = m_channel.ReadLine(kStartReportMs);
    HelperProcess::Reap(helper.pid);
    WaitReport::Line line = WaitReport::Parse(first.value_or(std::string()));
    if (line.kind == WaitReport::Line::Kind::Failed) {
        m_channel.Close();
        return line.first != 0 ? line.first : ENOEXEC;
    }
    std::vector<std::string> early;
    if (!first && !m_channel.ReadAvailable(early)) {
        // Ended without a word: the helper itself did not work.
        m_channel.Close();
        m_bHelperFailed = true;
        return ENOEXEC;
    }
    // A start that takes longer to report is taken as running, and waited for.
    m_nHelperPid = line.first;
    m_bEnded = false;
    m_bStopped = false;
    return 0;
}

void CTitleProcess::WaitForExit()
{
    if (m_bEnded || m_bStopped)
        return;
    QEventLoop loop;
    m_pLoop = &loop;
    m_pNotifier = std::make_unique<QSocketNotifier>(m_channel.Fd(), QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] { ReadReports(); });
    ReadReports(); // what came with the first line
    if (!m_bEnded && !m_bStopped)
        loop.exec();
    m_pNotifier.reset();
    m_pLoop = nullptr;
}

void CTitleProcess::StopWaiting()
{
    m_bStopped = true;
    if (m_pLoop)
        m_pLoop->quit();
}

void CTitleProcess::ReadReports()
{
    std::vector<std::string> lines;
    bool open = m_channel.ReadAvailable(lines);
    for (const std::string& text : lines) {
        if (m_bStopped)
            return;
        WaitReport::Line line = WaitReport::Parse(text);
        if (line.kind == WaitReport::Line::Kind::Running && onStillRunning)
            onStillRunning(line.names);
    }
    if (open)
        return;
    m_pNotifier->setEnabled(false);
    m_channel.Close();
    m_bEnded = true;
    m_nHelperPid = 0;
    if (m_pLoop)
        m_pLoop->quit();
}
