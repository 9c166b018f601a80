#pragma once

#include "sync/JournalEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The library the change journals describe: every line of every journal applied in order
// (by stamp, then machine id, then number; a line's stamp is above everything its author
// had seen, so each change comes after what its author knew) to an empty library. The same
// journals give the same library on every PC.
//
// Conflicts are settled from what each line's author had seen (Entry::Saw):
//   - a field changed on two PCs keeps the later change; the earlier's PC is told;
//   - a deletion does not take a title (or a genre's title) that another PC changed
//     without having seen the deletion: the title stays, or comes back, and a deleted genre
//     keeps or gets back only such titles; both PCs are told;
//   - an edited play replaces the play; a play both deleted and edited stays edited; of two
//     edits the later wins;
//   - two PCs adding a genre, or a title to one genre, of the same name add one;
//   - a rename, move or return onto a name in use adds " (2)" (" (3)", …);
//   - a changed genre that another PC deleted stays deleted.
class LibraryFold {
public:
    using Id = Journal::Id;
    using Play = Journal::Play;
    using EntryPtr = std::shared_ptr<const Journal::Entry>;

    // What shaped a library file: per machine the highest number of the lines that
    // changed it, and their highest stamp.
    struct Touch {
        std::map<int, int> seqs;
        std::int64_t maxStamp = 0;
        void Add(const Journal::Entry& entry);
    };
    struct PlayState {
        bool alive = true;
        std::vector<int> adds;   // lines that recorded it, changed a play into it or saw it (indexes of Applied())
        int killer = -1;         // the line that deleted, cleared or changed it
        bool replaced = false;   // changed into `next` by `killer`
        Play next;
    };
    struct Title {
        Id id;
        Id genre;
        std::string name, exe, icon;
        int autoTiming = 1;
        int useMedia = 0;
        bool alive = true;
        int killer = -1;
        std::map<Play, PlayState> plays;
        std::map<int, int> lastTouch;           // machine -> highest number of its changes
        std::map<std::string, int> fieldWriter;  // field -> the line that set it last
        std::set<std::string> names;            // every name it has had
        std::set<Id> genres;                    // every genre it has been in
    };
    struct Genre {
        Id id;
        std::string name;
        int mode = 0;
        bool alive = true;
        int killer = -1;
        std::vector<Id> titles;  // the living titles, in order
        Id current;              // its current title (none: machine -1)
        std::set<std::string> names;  // every name it has had
        std::map<std::string, int> fieldWriter;
        Touch touch;
    };
    // A change that could not be applied as it was, for the PC that made it.
    struct Notice {
        int machine = 0;
        std::string key;   // the same on every PC, to tell it once
        std::string text;
    };

    // Applies `entries` in the order of stamps (sorted here) to an empty library;
    // `machineNames` gives the sort's machine ids by number.
    void Fold(std::vector<EntryPtr> entries, const std::vector<std::string>& machineNames);
    // Applies one more line, above every line applied (this PC's new change).
    void Apply(EntryPtr entry);

    const std::vector<Id>& GenreOrder() const { return m_order; }
    // The current genre (none: machine -1); a genre's current title is Genre::current.
    Id CurrentGenre() const { return m_current; }
    const Genre* GenreOf(Id id) const;
    const Title* TitleOf(Id id) const;
    // The living genre of that name, or its title of that name.
    const Genre* GenreNamed(const std::string& name) const;
    const Title* TitleNamed(const Genre& genre, const std::string& name) const;
    // The living plays of a title, in start order.
    std::vector<Play> Plays(const Title& title) const;
    // The title whose log was last at "<genre>/<title>.Log" (or would have been, under any
    // name its genre or it had), living or not; nullptr when none.
    const Title* PathOwner(const std::string& genre, const std::string& title) const;
    // Every genre name the library has had.
    const std::set<std::string>& GenreNamesEver() const { return m_genreNames; }
    const Touch& ListTouch() const { return m_listTouch; }
    const std::vector<Notice>& Notices() const { return m_notices; }
    const std::vector<EntryPtr>& Applied() const { return m_applied; }
    // Whether line `i` of Applied() recorded a play (or changed one into it), not only saw it.
    bool Recorded(int i) const;
    // The highest stamp applied.
    std::int64_t MaxStamp() const { return m_maxStamp; }
    // Whether the line at index `i` of Applied() no longer changes the library, and the
    // line that made it so (which others must have seen before it may go): -1 when it still does.
    int ObsoletedBy(size_t i) const;

private:
    const Journal::Entry& At(int index) const { return *m_applied[static_cast<size_t>(index)]; }
    Genre* FindGenre(const Journal::Ref& ref);
    Title* FindTitle(const Journal::Ref& ref);
    // The title line `at` names (one still there when `alive`), noted as that line's subject;
    // nullptr when there is none.
    Title* SubjectTitle(const Journal::Entry& e, int at, bool alive);
    Id Resolve(const std::map<Id, Id>& aliases, Id id) const;

    void AddGenre(const Journal::Entry& e, int at);
    void GenreField(const Journal::Entry& e, int at);
    void DeleteGenre(const Journal::Entry& e, int at);
    void OrderGenres(const Journal::Entry& e, int at);
    void AddTitle(const Journal::Entry& e, int at);
    void TitleField(const Journal::Entry& e, int at);
    void MoveTitle(const Journal::Entry& e, int at);
    void DeleteTitle(const Journal::Entry& e, int at);
    void OrderTitles(const Journal::Entry& e, int at);
    void AddPlay(const Journal::Entry& e, int at);
    void DeletePlay(const Journal::Entry& e, int at);
    void ChangePlay(const Journal::Entry& e, int at);
    void ClearPlays(const Journal::Entry& e, int at);
    void SelectGenre(const Journal::Entry& e, int at);
    void SelectTitle(const Journal::Entry& e, int at);
    // Marks the line that set what `at` sets again as no longer needed, when `at`'s author saw it.
    void Supersede(int& writer, const Journal::Entry& e, int at);
    void Obsolete(int line, int by);

    // A title or genre a line changes: false when the line is to be left out (a title its
    // author knew deleted); a title deleted without its author knowing comes back.
    bool Living(Title& title, const Journal::Entry& e);
    bool LivingGenre(Genre& genre, const Journal::Entry& e, const std::string& why);
    void Revive(Title& title, const Journal::Entry& e);
    void ReviveGenre(Genre& genre, const Journal::Entry& e);
    void Kill(Title& title, int at);
    // The machines whose changes to `title` the line did not see (its own aside).
    std::vector<int> UnseenChanges(const Title& title, const Journal::Entry& e) const;
    void Touched(Title& title, const Journal::Entry& e);
    void SetTitleField(Title& title, const std::string& field, const std::string& value, const Journal::Entry& e,
                       int at);
    void SetTitleName(Title& title, std::string name, const Journal::Entry& e);
    void SetGenreField(Genre& genre, const std::string& field, const std::string& value, const Journal::Entry& e,
                       int at);
    void SetGenreName(Genre& genre, std::string name, const Journal::Entry& e);
    // `name` becomes one the genre has had: its files and its titles' logs under it are the fold's.
    void NoteGenreName(Genre& genre, const std::string& name);
    // The name `wanted` or, when a living neighbour has it, "wanted (2)", "wanted (3)", …
    std::string FreeTitleName(const Genre& genre, const std::string& wanted, Id self) const;
    std::string FreeGenreName(const std::string& wanted, Id self) const;
    void NoteOwner(const Title& title);
    void Tell(int machine, std::string key, std::string text);
    void TellLoser(int writer, const Journal::Entry& e, const std::string& what);
    // The change `change` made to `genre` (its name or play mode) is not made: it was deleted.
    void TellGenreGone(const Genre& genre, const Journal::Entry& change);
    std::string Where(const Title& title) const;
    std::string Ref(const Journal::Entry& e) const;
    std::string Ref(const Title& title) const;
    const std::string& MachineName(int machine) const;

    // What a line changed: its genre or title (by id), and the play of a play's line.
    struct Subject {
        Id genre;
        Id title;
        Play play;
    };

    std::vector<std::string> m_machineNames;
    std::vector<EntryPtr> m_applied;
    std::vector<int> m_obsoletedBy;
    std::vector<Subject> m_subject;
    std::map<Id, Genre> m_genres;
    std::map<Id, Title> m_titles;
    std::map<Id, Id> m_genreAlias;
    std::map<Id, Id> m_titleAlias;
    std::vector<Id> m_order;
    Id m_current;
    int m_currentWriter = -1;
    std::map<std::pair<std::string, std::string>, Id> m_pathOwner;
    std::set<std::string> m_genreNames;
    std::map<std::string, Id> m_genreOwner;  // the genre that had the name last
    int m_listOrderWriter = -1;
    Touch m_listTouch;
    std::vector<Notice> m_notices;
    std::set<std::string> m_noticeKeys;
    std::int64_t m_maxStamp = 0;
};
