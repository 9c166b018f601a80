#pragma once

class CZarn2App;
class CZarn2Doc;

// A recorded play whose launcher ended (killed, crashed, the power gone) before recording
// it, found at the next start from the journal it left (CPlayJournal).
namespace LostPlay {

// Run once the library has loaded. A journal that no running launcher holds is moved
// aside ("play.journal.aside", numbered when taken). One that reads well and is believable
// (PlayJournalCheck) is then offered for recording with one question: Yes appends its
// start and seconds to the title's log (the idle and short-play questions apply as for any play),
// unless the title is gone or the log already ends with that play; then it is removed.
// Any other stays aside, named in one message. A journal that cannot be moved is reported
// and not offered. True when a session was appended.
bool Recover(CZarn2Doc& doc, const CZarn2App& app);

}  // namespace LostPlay
