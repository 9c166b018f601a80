#pragma once

#include "history/CPlayTime.h"

#include <array>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The plays of a title's log and of its conflict copies, each once. A play is its start
// line and its duration: two records with both alike are one play. Damaged records (see
// PlayLogParser) give nothing and are counted.
class LogUnion {
public:
    explicit LogUnion(std::string_view current);

    // Damaged records of the current log (a rewrite would leave them out).
    size_t CurrentDamaged() const { return m_currentDamaged; }
    // Takes the plays of a copy the union does not hold yet: its damaged records.
    size_t Add(std::string_view copy);
    // Whether a copy gave a play the current log lacked.
    bool Grew() const { return m_grew; }
    // Every play as the log holds it, in start order (plays of the same start in the
    // order they were taken).
    std::string Bytes() const;

private:
    using Key = std::array<int, 7>;  // year … second, then the seconds played
    static Key KeyOf(const CPlayTime& play);
    size_t Take(std::string_view bytes);

    std::vector<CPlayTime> m_plays;
    std::set<Key> m_keys;
    size_t m_currentDamaged = 0;
    bool m_grew = false;
};
