#include "launch/IdleQuestion.h"

#include "history/CPlayTime.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <algorithm>

namespace IdleQuestion {

void LeaveOut(CPlayTime& session, int idleSeconds)
{
    // Readings a moment after the measured end may count a little past it.
    const int idle = std::min(idleSeconds, session.m_nElapsed);
    if (idle <= 0)
        return;
    if (!Messenger::Ask(Format("このプレイには操作のない時間が%d:%02d:%02dありました. その時間を除いて記録しますか ?",
                               idle / 3600, idle % 3600 / 60, idle % 60)))
        return;
    session.m_nElapsed -= idle;
    session.SplitElapsed();
}

}  // namespace IdleQuestion
