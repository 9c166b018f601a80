#pragma once

#include "app/RunFolder.h"
#include "history/CPlayTime.h"

#include <string>
#include <string_view>

// What the journal of a running recorded play holds: the title, its log, the play's start,
// the seconds measured so far and how many of them the play was left alone (IdleWatch).
struct PlayJournalEntry {
    std::string genre;
    std::string title;
    std::string logPath;
    CPlayTime start;  // date, time and stamp of the start
    int seconds = 0;
    int idleSeconds = 0;
};

// The journal's text: UTF-8 "key=value" lines (genre, title, log, start, stamp, seconds,
// idle), "\n" ended; a backslash, CR or LF in a value is written "\\", "\r" or "\n".
namespace PlayJournalText {

// The journal's name in the program's temporary folder.
inline constexpr const char* kFileName = RunFolder::kPlayJournal;

std::string Format(const PlayJournalEntry& entry);
// False, `out` partly filled, unless every key comes exactly once with a usable value (idle
// may be missing: a journal of an earlier version, read as 0), no other key comes, and the
// stamp is the one of the start's date and time.
bool Parse(std::string_view text, PlayJournalEntry& out);

}  // namespace PlayJournalText
