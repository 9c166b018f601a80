// The play steps of a title: start, wait, measure and the disc prompts.
#include "library/CMember.h"

#include "launch/CGameFollower.h"
#include "launch/CTitleProcess.h"
#include "launch/DriveSequences.h"
#include "launch/IMediaPrompt.h"
#include "launch/IPlayUi.h"
#include "launch/OpticalDriveTable.h"
#include "launch/PlayMessages.h"
#include "launch/TitleCommand.h"
#include "launch/WaitHelper.h"
#include "platform/Format.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"
#include "platform/IShellOpen.h"
#include "platform/IUrlHandlers.h"

#include <functional>
#include <memory>
#include <utility>

namespace {

// A Windows program whose Wine ends with an error within this many seconds of the start
// never ran: Wine could not load it (a 32-bit part or a library missing, a damaged
// program). Its play is reported, not recorded.
constexpr int kWineFailureSeconds = 10;

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

// What starting the title's program means; nothing after the message that says why it
// cannot be started.
std::optional<StartedProgram> PlanStart(const CMember& member, const std::string& folder)
{
    TitleCommand::Plan plan = TitleCommand::For(member.m_szExePath, folder);
    if (!plan.program)
        Messenger::Show(plan.refusal);
    return plan.program;
}

// The shell open shared by manual timing and play without history; false after the
// message.
bool OpenThroughShell(const CMember& member, const std::string& folder)
{
    if (!PlanStart(member, folder))
        return false;
    long result = ShellOpen::Open(member.m_szExePath, folder);
    if (IShellOpen::Started(static_cast<int>(result)))
        return true;
    Messenger::Show(Format(PlayMessages::kShellStartFailed, result, member.m_szExePath.c_str()));
    return false;
}

// The message for a Windows program whose Wine failed soon after the start, else "".
std::string WineFailure(const CTitleProcess& process, const CPlayTime& session)
{
    const std::optional<int> code = process.ExitCode();
    if (process.Program().kind != StartedProgram::Kind::Windows || !code || *code == 0 ||
        session.m_nElapsed >= kWineFailureSeconds)
        return {};
    return Format(PlayMessages::kWineFailedEarly, process.Program().target.c_str(), session.m_nElapsed, *code);
}

// The command has ended: the game it asked for may run on elsewhere. What came between the
// command's end and the game's start is left out of the session. True when the command
// only handed over to a copy of the game that was already open.
bool FollowHandOff(const CTitleProcess& process, const GameMarks& marks, CPlayTime& session,
                   const std::function<void(const std::string&)>& show, std::function<void()>& end)
{
    const std::int64_t commandMs = Clock::Get().MonotonicMs() - session.m_nMonotonicMs;
    CGameFollower follower(marks, process.BeganBootMs());
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
    std::optional<StartedProgram> program = PlanStart(*this, WorkingFolderOf(m_szExePath));
    if (!program || !session.Start())
        return false;
    // A URL whose handler has no command of its own is handed to the desktop.
    if (!program->Waited() && !UrlHandlers::Get().Open(program->url)) {
        Messenger::Show(Format(PlayMessages::kUrlNotOpened, program->url.c_str()));
        return false;
    }
    auto process = std::make_unique<CTitleProcess>();
    if (int error = process->Start(*program)) {
        ShowStartFailure({error, process->HelperFailed()});
        return false;
    }
    delete m_hProcess;
    m_hProcess = process.release();
    return true;
}

void CMember::ShowStartFailure(const StartFailure& failure) const
{
    if (!failure.message.empty())
        Messenger::Show(failure.message);
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
    // A client the play started itself runs on after the game it was asked for: that game is
    // followed at once, and the client is left to itself.
    const GameMarks marks = GameMarks::Of(process.Program());
    if (!marks.LeftToClient())
        process.WaitForExit();
    process.onStillRunning = nullptr;
    StartFailure failure{process.Failure(), process.HelperFailed(), {}};
    if (failure.error == 0) {
        session.Measure();
        failure.message = WineFailure(process, session);
    }
    // A command that has ended by itself (not by the user's "終 了") may have handed over.
    if (!failure.Failed() && (process.HasEnded() || marks.LeftToClient())) {
        if (FollowHandOff(process, marks, session, show, end))
            failure.message = Format(PlayMessages::kHandedToOpenCopy, m_szName.c_str());
        session.Measure();
    }
    if (shown)
        PlayUi::Get().CloseStillRunning();
    delete std::exchange(m_hProcess, nullptr);
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
