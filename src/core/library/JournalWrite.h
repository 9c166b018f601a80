#pragma once

#include "library/ILibraryJournal.h"

#include <string>

// One rewrite of a genre file or of the genre list as the change journal sees it (when one
// is attached): announced with the bytes to write, which get the journal's line at their
// end while other PCs share the library, and told done or given up when this goes.
class JournalWrite {
public:
    JournalWrite(ILibraryJournal* journal, const std::string& path, const std::string& genre, std::string& bytes)
        : m_journal(journal)
    {
        if (m_journal)
            bytes += m_journal->BeforeWrite(path, genre, bytes);
    }
    JournalWrite(const JournalWrite&) = delete;
    JournalWrite& operator=(const JournalWrite&) = delete;
    ~JournalWrite()
    {
        if (m_journal)
            m_journal->Written(m_done);
    }
    void Done() { m_done = true; }

private:
    ILibraryJournal* m_journal;
    bool m_done = false;
};
