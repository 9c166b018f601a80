#pragma once

#include "sync/JournalEntry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class LibraryFold;

// What a write is known to rename or move (ILibraryJournal's hints), so that its
// difference reads as a rename or move.
struct ChangeHints {
    struct Rename {
        std::string genre;  // the title's genre (its name as the write shows it); "" for a genre
        std::string from;
        std::string to;
    };
    struct Move {
        std::string from;
        std::string to;
        std::string title;
    };
    std::vector<Rename> genres;
    std::vector<Rename> titles;
    std::vector<Move> moves;

    void Clear() { *this = ChangeHints(); }
};

// Makes this PC's new lines: each gets the next number, a stamp above every one seen and
// what this PC had applied of the other journals. Names genres and titles by id where the
// fold (or a line made here before) knows them, else by name.
class ChangeRecorder {
public:
    ChangeRecorder(const LibraryFold& fold, const ChangeHints& hints, int self, int nextSeq,
                   std::shared_ptr<const std::vector<int>> seen, std::function<std::int64_t()> stamp);

    Journal::Entry& Add(Journal::Kind kind);
    Journal::Ref Genre(const std::string& name) const;
    Journal::Ref Title(const std::string& genre, const std::string& title) const;
    // A genre or title that a line made here names so from now on.
    void NamedGenre(const std::string& name, Journal::Id id) { m_genres[name] = id; }
    void NamedTitle(const std::string& genre, const std::string& title, Journal::Id id)
    {
        m_titles[{genre, title}] = id;
    }
    const ChangeHints& Hints() const { return m_hints; }
    std::vector<Journal::Entry> Take() { return std::move(m_entries); }

private:
    const LibraryFold& m_fold;
    const ChangeHints& m_hints;
    int m_self;
    int m_nextSeq;
    std::shared_ptr<const std::vector<int>> m_seen;
    std::function<std::int64_t()> m_stamp;
    std::vector<Journal::Entry> m_entries;
    std::map<std::string, Journal::Id> m_genres;
    std::map<std::pair<std::string, std::string>, Journal::Id> m_titles;
};
