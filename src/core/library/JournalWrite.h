#pragma once

#include "library/ILibraryJournal.h"
#include "platform/TextFileWriter.h"

#include <string>

// One rewrite of a genre file or of the genre list as the change journal sees it (when one
// is attached): announced with the bytes to write, which get the journal's line at their
// end, and told done or given up when this goes.
class JournalWrite {
public:
    JournalWrite(ILibraryJournal* journal, const std::string& path, const std::string& genre, std::string& bytes)
        : m_journal(journal)
    {
        if (m_journal)
            bytes += m_journal->BeforeWrite(path, genre, bytes);
    }
    // The same for lines still to be encoded (text code page 932 cannot hold adds no line).
    JournalWrite(ILibraryJournal* journal, const std::string& path, const std::string& genre, TextFileWriter& writer)
        : m_journal(journal)
    {
        std::string bytes;
        if (m_journal && writer.Encode(bytes, nullptr)) {
            std::string line = m_journal->BeforeWrite(path, genre, bytes);
            writer.Line(line.substr(0, line.find_last_not_of("\r\n") + 1));
        }
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
