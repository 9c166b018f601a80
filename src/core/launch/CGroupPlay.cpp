// Playing a genre's current title: the order of the title's play steps.
#include "library/CGroup.h"

#include "app/CZarn2App.h"
#include "launch/IPlayUi.h"

namespace {

// The settings a play reads; none (all 0) for a genre outside a library.
const CSettings& SettingsOf(const CZarn2App* app)
{
    static const CSettings kNone = [] {
        CSettings none;
        none.Minimize = 0;
        return none;
    }();
    return app ? static_cast<const CSettings&>(*app) : kNone;
}

}  // namespace

int CGroup::PlayRecorded(CPlayTime& session, const PlayEvents& events)
{
    if (Check() < 0)
        return -1;
    CMember* member = CurrMember();
    if (!member)
        return 0;
    const bool timed = member->m_nAutoTiming == 1;
    if (!(timed ? member->LaunchTimed(session) : member->LaunchManual(session)))
        return 0;
    if (events.started)
        events.started(*member);
    const bool minimize = SettingsOf(m_pApp).Minimize != 0;
    if (minimize)
        PlayUi::Get().MinimizeMainWindow();
    CMember::StartFailure lateFailure;
    if (timed)
        lateFailure = member->WaitTimed(session);
    else
        member->RunWaitingDialog(session);
    if (!lateFailure.Failed()) {
        if (events.measured)
            events.measured(session);
        if (!events.ending || !events.ending())
            member->PromptEject();
    }
    if (minimize)
        PlayUi::Get().RestoreMainWindow();
    if (lateFailure.Failed()) {
        member->ShowStartFailure(lateFailure);
        return 0;
    }
    return 1;
}

int CGroup::PlayUnrecorded()
{
    if (Check() < 0)
        return -1;
    CMember* member = CurrMember();
    if (!member || !member->LaunchUnrecorded())
        return 0;
    member->WaitUnrecorded();
    member->PromptEject();
    return 1;
}

bool CGroup::ConfirmRecord(const CPlayTime& session)
{
    if (Check() < 0)
        return false;
    return CurrMember() && CPlayHistory::ConfirmRecord(session, SettingsOf(m_pApp).LimitMinite);
}
