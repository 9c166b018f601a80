#pragma once

#include "library/GroupFile.h"
#include "library/GroupListFile.h"

#include <cstddef>
#include <string>

// The entries of a genre file or of the genre list and those of a conflict copy, by name:
// the current file's entries first, in their order and as they are, then the copy's
// entries the current file does not name, in the copy's order, as long as there is room.
namespace NameUnion {

// What a copy gave, and what it held that could not be taken.
struct Outcome {
    size_t added = 0;
    size_t overflow = 0;  // entries beyond the capacity
    std::string badName;  // the first name that cannot be used (NameRules), if any
    size_t badNames = 0;
    bool Whole() const { return overflow == 0 && badNames == 0; }
};

// Play mode and current title stay those of `current`; up to 128 titles.
Outcome AddTitles(GroupFile::Content& current, const GroupFile::Content& copy);
// The current genre stays that of `current`; up to 32 genres.
Outcome AddGenres(GroupListFile::Content& current, const GroupListFile::Content& copy);

}  // namespace NameUnion
