#pragma once

#include "launch/PlayJournalText.h"
#include "platform/IClock.h"

#include <cstdint>

// Whether a journal found at start tells a play that could have happened: one that agrees
// with itself and with its file. Anyone can leave a file in the program's folder, so a
// journal that reads well is still checked before it is offered for recording.
namespace PlayJournalCheck {

// The journal is rewritten at each minute of play, so its seconds may run ahead of the
// time from its start to its last rewrite by that much, and by a little slack more.
inline constexpr std::int64_t kSlackSeconds = 5;

// True when the start is within the range of the log's stamps (2008 to early 2076) and
// not later than `now`, the last rewrite (`modifiedUtc`, seconds since 1970 UTC) not later
// than `now` either, the seconds no more than the time from the start to that rewrite plus
// a beat, and the seconds left alone no more than those played. Fewer seconds are
// believable: the play is measured on a clock that stops while the machine sleeps. A start
// in a repeated or skipped local hour is read as the moment that suits the journal best.
bool Believable(const PlayJournalEntry& entry, std::int64_t modifiedUtc, const LocalDateTime& now);

}  // namespace PlayJournalCheck
