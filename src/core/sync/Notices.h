#pragma once

#include "sync/LibraryFold.h"

#include <string>
#include <vector>

// Tells this PC's notices of the fold (changes made here that could not be applied as they
// were) once: the keys of those told are kept in `toldPath` (this PC's run folder), which is
// rewritten to hold the keys of the notices that still stand.
namespace Notices {

void Tell(const std::vector<LibraryFold::Notice>& notices, int self, const std::string& toldPath);

// The most notices one message names.
inline constexpr size_t kMaxShown = 10;

}  // namespace Notices
