#pragma once

struct CPlayTime;

namespace IdleQuestion {

// A play that was left alone for `idleSeconds` (0: it was not, or nobody watched) asks
// whether to record it without that time; Yes takes the time off the session's elapsed
// time, No leaves the session whole. Asked before the short-play question, which then
// looks at what would be recorded.
void LeaveOut(CPlayTime& session, int idleSeconds);

}  // namespace IdleQuestion
