#pragma once

#include "sync/JournalEntry.h"

#include <cstddef>
#include <vector>

class JournalSet;
class LibraryFold;

// Which lines of this PC's journal still matter: a line goes once it no longer changes the
// library (a field or order set again later, a selection made again, the lines of a title,
// genre or play deleted since, a play only seen that was recorded elsewhere) and every PC
// with a journal has applied both it and the line that made it so (for a deletion, at least
// one other PC). The last line always stays, so numbering goes on from it.
namespace Compaction {

struct Plan {
    std::vector<Journal::Entry> kept;  // in order
    size_t dropped = 0;
};

Plan Of(const LibraryFold& fold, const JournalSet& journals, int self);

// Worth a rewrite: at least this many lines go, and at least a quarter of them.
inline constexpr size_t kMinDropped = 64;

}  // namespace Compaction
