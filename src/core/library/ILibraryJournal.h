#pragma once

#include "history/CPlayTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FolderListings;

// What the library tells the change journal of this PC (sync/JournalKeeper) about its own
// changes, and what it asks of it. A library without one attached writes no journal.
class ILibraryJournal {
public:
    // The data folder's folder of the journals: no genre may take its name.
    static constexpr char kFolderName[] = ".changes";

    virtual ~ILibraryJournal() = default;

    // A genre file (`genre` its genre's name) or the genre list (`genre` empty) at `path` is
    // about to be replaced by `bytes`: the change is what differs from the file as it is
    // now, held until Written. Returns the line to add at the end of `bytes`.
    virtual std::string BeforeWrite(const std::string& path, const std::string& genre, std::string_view bytes) = 0;
    // The replacement announced last was made (`done`) or given up.
    virtual void Written(bool done) = 0;

    // Told just before the files show them, so that the difference is one genre or title
    // renamed or moved rather than one deleted and one added.
    virtual void GenreRenamed(const std::string& from, const std::string& to) = 0;
    virtual void TitleRenamed(const std::string& genre, const std::string& from, const std::string& to) = 0;
    virtual void TitleMoved(const std::string& from, const std::string& to, const std::string& title) = 0;

    // Plays of a title's log: one recorded (appended), all of them cleared, and the record
    // editor's changes (a play deleted has no `after`, one added no `before`).
    struct PlayEdit {
        std::optional<CPlayTime> before;  // start fields and elapsed seconds
        std::optional<CPlayTime> after;
    };
    virtual void PlayRecorded(const std::string& genre, const std::string& title, const CPlayTime& play) = 0;
    virtual void PlaysCleared(const std::string& genre, const std::string& title) = 0;
    virtual void PlaysEdited(const std::string& genre, const std::string& title, const std::vector<PlayEdit>& edits) = 0;

    // Before the conflict copies are merged: removes the copies of the genre list and of
    // genre files that a launcher wrote from changes this PC holds (nothing in them is new),
    // and says whether the rest may be merged now (false while a library file is newer than
    // the journals here: merging it would take another PC's changes for this one's).
    virtual bool BeforeCopyMerge(FolderListings& listings) = 0;
    // Works the library files out from every journal: takes in what the files hold without
    // a journal, writes what the journals changed, tells this PC's notices. True when a
    // library file was written.
    virtual bool Reconcile() = 0;
};
