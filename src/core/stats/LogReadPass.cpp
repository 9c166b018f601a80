#include "stats/LogReadPass.h"

#include "stats/LibraryShape.h"

const LogPlays* LogReadPass::Read(const LibraryGenre& genre, const LibraryTitle& title)
{
    const LogPlays& plays = m_cache.Read(title.log);
    bool first = m_seen.insert(&plays).second;
    if (plays.error != 0) {
        if (first)
            m_unreadable.push_back(genre.name + "/" + title.name + ".Log");
        return nullptr;
    }
    if (first) {
        m_plays += plays.plays.size();
        m_skipped += plays.skipped;
    }
    return &plays;
}
