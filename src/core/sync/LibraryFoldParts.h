#pragma once

// What the files of LibraryFold share (not for use elsewhere).
#include "sync/LibraryFold.h"

#include <string>
#include <vector>

namespace LibraryFoldParts {

// A play's start as the messages show it ("YYYY/MM/DD hh:mm:ss").
std::string Shown(const Journal::Play& play);
// What a field is called in the messages.
const char* FieldLabel(const std::string& field);
// Whether a line of this kind changes its title (a deletion, a clearing or a selection does not).
bool Changes(Journal::Kind kind);
// Puts the ids named in `wanted` first, in that order; the others follow in theirs.
void ApplyOrder(std::vector<LibraryFold::Id>& order, const std::vector<LibraryFold::Id>& wanted);

}  // namespace LibraryFoldParts
