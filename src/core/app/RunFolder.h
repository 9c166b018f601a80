#pragma once

// The files a run keeps in this PC's run folder (CZarn2App::m_szTempDir) besides the change
// record: named here, below everything that writes or sweeps them.
namespace RunFolder {

// The journal of a running recorded play.
inline constexpr const char* kPlayJournal = "play.journal";
// The conflict copies already named in a message.
inline constexpr const char* kKeptCopies = "Zarn2.KeptCopies";
// This PC's change journal id in a shared library.
inline constexpr const char* kJournalId = "Zarn2.JournalId";
// The notices of merged changes already told.
inline constexpr const char* kToldNotices = "Zarn2.Told";

}  // namespace RunFolder
