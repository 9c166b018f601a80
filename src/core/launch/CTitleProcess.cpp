#include "launch/CTitleProcess.h"

#include "platform/FileSystem.h"
#include "platform/ProgramKind.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QString>

#include <cerrno>

namespace {
// How long a start may take to report success or failure before the wait takes over.
constexpr int kStartReportMs = 10000;
}  // namespace

CTitleProcess::CTitleProcess()
{
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&m_process, &QProcess::finished, [this] { m_bEnded = true; });
    QObject::connect(&m_process, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            m_bEnded = true;
    });
}

// A program still running when the play is abandoned is left to itself, not killed.
CTitleProcess::~CTitleProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.disconnect();
        m_process.Release();
    }
}

int CTitleProcess::Start(const std::string& exePath, const std::string& workingDir)
{
    std::string program = exePath;
    QStringList args;
    std::string wine = Programs::FindWine();
    if (!wine.empty() && Programs::Classify(exePath) == ProgramKind::Windows) {
        program = wine;
        args << QString::fromStdString(exePath);
    }
    m_bEnded = false;
    m_process.setProgram(QString::fromStdString(program));
    m_process.setArguments(args);
    m_process.setWorkingDirectory(QString::fromStdString(workingDir));
    m_process.start();
    if (m_process.waitForStarted(kStartReportMs) || m_process.error() != QProcess::FailedToStart)
        return 0;
    m_bEnded = true;
    return StartErrorCode(program, workingDir);
}

// Qt reports a failed start without the system's error number: find it from the files.
int CTitleProcess::StartErrorCode(const std::string& program, const std::string& workingDir) const
{
    if (!workingDir.empty()) {
        FileSystem::Status folder = FileSystem::Stat(workingDir);
        if (folder.error != 0)
            return folder.error;
        if (!folder.folder)
            return ENOTDIR;
    }
    std::string file = program;
    if (program.find('/') == std::string::npos)
        file = Programs::FindOnPath(program);
    else if (program[0] != '/' && !workingDir.empty())
        file = workingDir + "/" + program;
    FileSystem::Status status = FileSystem::Stat(file);  // "" is not found either
    if (status.error != 0)
        return ENOENT;
    if (status.folder || !Programs::IsExecutable(file))
        return EACCES;
    return ENOEXEC;
}

void CTitleProcess::WaitForExit()
{
    if (m_bEnded || m_process.state() == QProcess::NotRunning)
        return;
    QEventLoop loop;
    QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    if (!m_bEnded)
        loop.exec();
}
