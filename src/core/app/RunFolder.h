#pragma once

// The files a run keeps in this PC's run folder (CZarn2App::m_szTempDir) besides the change
// record: named here, below everything that writes or sweeps them.
namespace RunFolder {

// The journal of a running recorded play.
inline constexpr const char* kPlayJournal = "play.journal";
// The conflict copies already named in a message.
inline constexpr const char* kKeptCopies = "Zarn2.KeptCopies";

}  // namespace RunFolder
