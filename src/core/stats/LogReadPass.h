#pragma once

#include "stats/PlayLogCache.h"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

struct LibraryGenre;
struct LibraryTitle;

// One pass over some titles' logs through the cache: what could not be read is named once
// ("<genre>/<title>.Log"), and the plays and damaged records met are counted once a log.
class LogReadPass {
public:
    explicit LogReadPass(PlayLogCache& cache) : m_cache(cache) {}

    // The title's plays, or nullptr when its log cannot be read.
    const LogPlays* Read(const LibraryGenre& genre, const LibraryTitle& title);

    const std::vector<std::string>& Unreadable() const { return m_unreadable; }
    std::size_t Plays() const { return m_plays; }
    std::size_t Skipped() const { return m_skipped; }

private:
    PlayLogCache& m_cache;
    std::unordered_set<const LogPlays*> m_seen;
    std::vector<std::string> m_unreadable;
    std::size_t m_plays = 0;
    std::size_t m_skipped = 0;
};
