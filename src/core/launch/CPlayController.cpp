#include "launch/CPlayController.h"

#include "app/CZarn2App.h"
#include "launch/CPlayJournal.h"
#include "launch/IdleQuestion.h"
#include "launch/IdleWatch.h"
#include "launch/PlayMessages.h"
#include "library/CZarn2Doc.h"
#include "platform/IMessenger.h"

namespace {

// Sets the view's busy flag and the application's playing flag for one play.
class PlayFlags {
public:
    PlayFlags(bool& busy, CZarn2App& app) : m_busy(busy), m_app(app)
    {
        m_busy = true;
        m_app.m_bPlaying = 1;
    }
    ~PlayFlags()
    {
        m_busy = false;
        m_app.m_bPlaying = 0;
    }
    PlayFlags(const PlayFlags&) = delete;
    PlayFlags& operator=(const PlayFlags&) = delete;

private:
    bool& m_busy;
    CZarn2App& m_app;
};

}  // namespace

// The library's checks (which show their own messages) and a current title.
bool CPlayController::HasPlayableTitle()
{
    CGroup* group = m_doc.m_nGroupCount > 0 ? m_doc.CurrGroup() : nullptr;
    if (group && group->Check() > 0 && group->CheckMemberIndex(group->m_nCurrMember) >= 0)
        return true;
    Messenger::Show(PlayMessages::kNoTitle);
    return false;
}

CPlayController::Outcome CPlayController::PlayRecorded(bool& busy, const std::function<void()>& updateStatistics)
{
    if (!HasPlayableTitle())
        return Outcome::NoTitle;
    if (busy)
        return Outcome::Busy;
    PlayFlags flags(busy, m_app);
    CGroup* group = m_doc.CurrGroup();
    // The running session is the play's own: the statistics refreshes that may run while
    // the title plays (a heading click) read the log into the title, never into it. The
    // journal keeps it from the start until it is recorded or discarded (see CPlayJournal).
    CPlayTime session;
    IdleWatch idle(m_app.IdleMinite);  // read by the journal's beats until the journal ends
    CPlayJournal journal(m_app.m_szTempDir.empty() ? std::string() : CPlayJournal::PathIn(m_app.m_szTempDir));
    CGroup::PlayEvents events;
    events.started = [&journal, &session, &idle, group](const CMember& member) {
        // Manual timing is ended by the person at the launcher: it is not watched.
        if (member.m_nAutoTiming == 1 && idle.Begin(session.m_nMonotonicMs))
            journal.WatchIdle(&idle);
        journal.Begin({group->m_szName, member.m_szName, member.m_szLogFile, session, 0});
    };
    // The journal stops counting once the play is measured: a disc prompt after it is no play.
    events.measured = [&journal](const CPlayTime& measured) { journal.Stop(measured.m_nElapsed); };
    events.ending = [&journal] { return journal.Kept(); };
    if (!group || group->PlayRecorded(session, events) <= 0)
        return Outcome::NotStarted;
    // The session's end cuts the questions short: their answers are not the user's, and
    // the next start asks them again about the journal it finds.
    if (journal.Kept())
        return Outcome::Interrupted;
    IdleQuestion::LeaveOut(session, idle.End());
    const bool confirmed = !journal.Kept() && group->ConfirmRecord(session);
    if (journal.Kept())
        return Outcome::Interrupted;
    Outcome outcome = Outcome::Discarded;
    if (confirmed && m_doc.RecordSession(session) > 0)
        outcome = Outcome::Recorded;  // a failed append has shown its message
    journal.End();
    if (updateStatistics)
        updateStatistics();
    return outcome;
}

CPlayController::Outcome CPlayController::PlayUnrecorded(bool busy, const std::function<void()>& closeMainWindow)
{
    if (!HasPlayableTitle())
        return Outcome::NoTitle;
    if (busy)
        return Outcome::Busy;
    CGroup* group = m_doc.CurrGroup();
    Outcome outcome = group && group->PlayUnrecorded() > 0 ? Outcome::Started : Outcome::NotStarted;
    if (m_app.AutoExit && closeMainWindow)
        closeMainWindow();
    return outcome;
}
