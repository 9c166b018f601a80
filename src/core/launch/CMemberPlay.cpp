// The play steps of a title: start, wait, measure and the disc prompts.
#include "library/CMember.h"

#include "launch/CGameFollower.h"
#include "launch/CTitleProcess.h"
#include "launch/DriveSequences.h"
#include "launch/IMediaPrompt.h"
#include "launch/IPlayUi.h"
#include "launch/OpticalDriveTable.h"
#include "launch/PlayMessages.h"
#include "launch/WaitHelper.h"
#include "platform/Format.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"
#include "platform/IShellOpen.h"

#include <functional>
#include <memory>
#include <utility>

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

// The command has ended: the game it asked for may run on elsewhere. What came between the
// command's end and the game's start is left out of the session. True when the command
// only handed over to a copy of the game that was already open.
bool FollowHandOff(const CMember& member, CPlayTime& session, std::int64_t beganBootMs,
                   const std::function<void(const std::string&)>& show, std::function<void()>& end)
{
    const std::int64_t commandMs = Clock::Get().MonotonicMs() - session.m_nMonotonicMs;
    CGameFollower follower(GameMarks::Of({member.m_szExePath}, WorkingFolderOf(member.m_szExePath)), beganBootMs);
    follower.onWaiting = show;
    end = [&follower] { follower.Stop(); };
    CGameFollower::Outcome outcome = follower.Run(commandMs);
    end = [] {};
    session.m_nMonotonicMs += follower.LeftOutMs();
    return outcome == CGameFollower::Outcome::OpenCopy;
}

}  // namespace

bool CMember::LaunchTimed(CPlayTime& session)
{
    if (!RequestDiscIfUsed(*this))
        return false;
    std::string folder = WorkingFolderOf(m_szExePath);
    if (!session.Start())
        return false;
    auto process = std::make_unique<CTitleProcess>();
    if (int error = process->Start(m_szExePath, folder)) {
        ShowStartFailure({error, process->HelperFailed()});
        return false;
    }
    delete m_hProcess;
    m_hProcess = process.release();
    return true;
}

void CMember::ShowStartFailure(const StartFailure& failure) const
{
    if (failure.handedToOpenCopy)
        Messenger::Show(Format(PlayMessages::kHandedToOpenCopy, m_szName.c_str()));
    else if (failure.helperFailed)
        Messenger::Show(Format(PlayMessages::kHelperStartFailed, failure.error, WaitHelper::Get().path.c_str()));
    else
        Messenger::Show(Format(PlayMessages::kProcessStartFailed, failure.error, m_szExePath.c_str()));
}

// Once the title's first process has ended while others run, or while the game it handed
// its start to is looked for or runs, the waiting dialog offers to end the play there; the
// processes are left running either way.
CMember::StartFailure CMember::WaitTimed(CPlayTime& session)
{
    if (!m_hProcess)
        return {};
    CTitleProcess& process = *m_hProcess;
    bool shown = false;
    std::function<void()> end = [&process] { process.StopWaiting(); };
    std::function<void(const std::string&)> show = [&session, &shown, &end](const std::string& line) {
        shown = true;
        PlayUi::Get().ShowStillRunning(session, line, [&end] { end(); });
    };
    process.onStillRunning = [&show](const std::string& running) { show("実行中: " + running); };
    process.WaitForExit();
    process.onStillRunning = nullptr;
    StartFailure failure{process.Failure(), process.HelperFailed()};
    if (failure.error == 0 && process.HasEnded())  // not ended by the user
        failure.handedToOpenCopy = FollowHandOff(*this, session, process.BeganBootMs(), show, end);
    if (shown)
        PlayUi::Get().CloseStillRunning();
    delete std::exchange(m_hProcess, nullptr);
    if (!failure.Failed())
        session.Measure();
    return failure;
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
