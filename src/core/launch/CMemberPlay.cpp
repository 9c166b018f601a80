// The play steps of a title: start, wait, measure and the disc prompts.
#include "library/CMember.h"

#include "launch/CTitleProcess.h"
#include "launch/DriveSequences.h"
#include "launch/IMediaPrompt.h"
#include "launch/IPlayUi.h"
#include "launch/OpticalDriveTable.h"
#include "launch/PlayMessages.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/IShellOpen.h"

namespace {

// The folder the title runs in: its path up to the last "/". A path without one is passed
// whole, so such a title only starts when its name is also a folder's; otherwise the start
// fails with the code of a missing folder.
std::string WorkingFolderOf(const std::string& exePath)
{
    std::string::size_type slash = exePath.rfind('/');
    if (slash == std::string::npos)
        return exePath;
    return slash == 0 ? std::string("/") : exePath.substr(0, slash);
}

// The insert sequence of a disc title; true for a title without a disc.
bool RequestDiscIfUsed(const CMember& member)
{
    if (!member.m_nUseMedia)
        return true;
    ScanOpticalDrives();
    return RequestMedia();
}

// The shell open shared by manual timing and play without history; false after the
// message.
bool OpenThroughShell(const CMember& member, const std::string& folder)
{
    long result = ShellOpen::Open(member.m_szExePath, folder);
    if (IShellOpen::Started(static_cast<int>(result)))
        return true;
    Messenger::Show(Format(PlayMessages::kShellStartFailed, result, member.m_szExePath.c_str()));
    return false;
}

}  // namespace

bool CMember::LaunchTimed(CPlayTime& session)
{
    if (!RequestDiscIfUsed(*this))
        return false;
    std::string folder = WorkingFolderOf(m_szExePath);
    if (!session.Start())
        return false;
    auto* process = new CTitleProcess;
    int error = process->Start(m_szExePath, folder);
    if (error != 0) {
        delete process;
        Messenger::Show(Format(PlayMessages::kProcessStartFailed, error, m_szExePath.c_str()));
        return false;
    }
    delete m_hProcess;
    m_hProcess = process;
    return true;
}

void CMember::WaitForExit()
{
    if (m_hProcess)
        m_hProcess->WaitForExit();
}

void CMember::EndTimed(CPlayTime& session)
{
    delete m_hProcess;
    m_hProcess = nullptr;
    session.Measure();
    PromptEject();
}

bool CMember::LaunchManual(CPlayTime& session)
{
    if (!RequestDiscIfUsed(*this))
        return false;
    std::string folder = WorkingFolderOf(m_szExePath);
    if (!session.Start())
        return false;
    return OpenThroughShell(*this, folder);
}

void CMember::RunWaitingDialog(CPlayTime& session)
{
    PlayUi::Get().RunWaitingDialog(session, false);
    session.Measure();
}

void CMember::PromptEject()
{
    if (!m_nUseMedia || !OpenDriveDoor())
        return;
    MediaPrompt::AskRemove();
    CloseDriveDoor();
}

bool CMember::LaunchUnrecorded()
{
    if (!RequestDiscIfUsed(*this))
        return false;
    return OpenThroughShell(*this, WorkingFolderOf(m_szExePath));
}

void CMember::WaitUnrecorded()
{
    if (m_nUseMedia)
        PlayUi::Get().RunWaitingDialog(CPlayTime{}, true);
}
