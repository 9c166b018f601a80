#pragma once

#include "library/ILibraryJournal.h"
#include "platform/FileStamp.h"
#include "sync/ChangeRecorder.h"
#include "sync/JournalSet.h"
#include "sync/LibraryFold.h"
#include "sync/MachineTable.h"
#include "sync/Materialize.h"
#include "sync/OwnJournal.h"
#include "sync/StampLine.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class CZarn2App;

// This PC's side of the change journals of a home folder (see LibraryFold): records the
// library's own changes in this PC's journal, and works the library files out from every
// journal. Reads the journals at its first use.
class JournalKeeper final : public ILibraryJournal {
public:
    // `wallMs` gives the wall clock in milliseconds (the system's when empty).
    JournalKeeper(const CZarn2App& app, const std::string& machineId, std::function<std::int64_t()> wallMs = {});

    std::string BeforeWrite(const std::string& path, const std::string& genre, std::string_view bytes) override;
    void Written(bool done) override;
    void GenreRenamed(const std::string& from, const std::string& to) override;
    void TitleRenamed(const std::string& genre, const std::string& from, const std::string& to) override;
    void TitleMoved(const std::string& from, const std::string& to, const std::string& title) override;
    void PlayRecorded(const std::string& genre, const std::string& title, const CPlayTime& play) override;
    void PlaysCleared(const std::string& genre, const std::string& title) override;
    void PlaysEdited(const std::string& genre, const std::string& title, const std::vector<PlayEdit>& edits) override;
    bool BeforeCopyMerge(FolderListings& listings) override;
    bool Reconcile() override;

    // The journals' library as it stands (read at the first use).
    const LibraryFold& Fold();
    const std::string& JournalPath() const { return m_own.Path(); }

private:
    void Prepare();
    // Takes this PC's journal as the set read it, numbered on above what any PC has seen of it.
    void LoadOwn();
    // Writes this PC's journal anew, with the lines of it this run holds, when its file lost
    // some of them or holds lines that do not read (kept in a copy beside it).
    void RestoreOwn();
    // A notice for each journal with lines that do not read.
    std::vector<LibraryFold::Notice> DamageNotices() const;
    // Reads the journals that changed and folds them again; true when any did.
    bool Refresh();
    std::vector<int> Applied() const;
    std::int64_t NextStamp();
    ChangeRecorder Recorder();
    // Applies `entries` and appends them to the journal, after those an earlier append could
    // not write: false (after a message) when they wait for the next append.
    bool Commit(std::vector<Journal::Entry> entries);
    // The number of this PC's last line, written or waiting.
    int LastSeq() const { return m_unwritten.empty() ? m_own.LastSeq() : m_unwritten.back().seq; }
    // Folds every journal's lines (and this PC's waiting ones) again.
    void FoldAll();
    bool Foreign(std::string_view bytes) const;
    bool Foreign(const StampLine::Found& found) const;
    bool Ahead(const StampLine::Found& found) const;
    StampLine::Shaped Shaped(const LibraryFold::Touch& touch) const;
    void NoteClock(const StampLine::Found& found);
    std::string LogPath(const std::string& genre, const std::string& title) const;
    void KnowLog(const std::string& genre, const std::string& title);
    // Removes the conflict copies in `folder` of files `ours` names that a launcher wrote
    // from lines held here; true when none is newer.
    bool DropBackedCopiesIn(const std::string& folder, const std::function<bool(const std::string&)>& ours,
                            FolderListings& listings);
    // Each failure once: of the journal (`journal`) or of a library file.
    void ShowFailure(const std::string& path, int err, bool journal);
    void ShowNotices();
    void WriteSeen();
    // Shortens this PC's journal by the lines no PC needs any longer.
    void Compact();

    const CZarn2App& m_app;
    std::string m_folder;
    MachineTable m_machines;
    int m_self;
    JournalSet m_set;
    OwnJournal m_own;
    LibraryFold m_fold;
    std::function<std::int64_t()> m_wallMs;
    bool m_prepared = false;
    std::int64_t m_clock = 0;
    ChangeHints m_hints;
    std::vector<Journal::Entry> m_pending;
    std::vector<Journal::Entry> m_unwritten;  // applied, but the journal could not take them yet
    std::map<std::string, FileStamp> m_knownLogs;  // logs as last taken in
    std::map<std::string, Materialize::HeldLog> m_heldLogs;
    std::set<std::string> m_shownFailures;
    std::vector<LibraryFold::Notice> m_ownNotices;  // this run's rewrites of this PC's journal
};
