#pragma once

#include "library/PendingChange.h"

#include <string>
#include <vector>

class CZarn2App;

// The folders a change of the library makes, moves or removes entries in, and the files it
// rewrites. A change begins only when this user may write every one of them: in a read-only
// data folder, beside a read-only genre list or in another user's library it would otherwise
// stop after its first steps (a log deleted, a genre folder renamed) and leave the rest to a
// next start that could not make them either.
namespace WritePlaces {

struct Places {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

// What a change of several steps writes, from its record.
Places Of(const CZarn2App& app, const PendingChange::Record& record);
// What adding a genre writes: its folder and file in the data folder, and the genre list.
Places OfNewGroup(const CZarn2App& app);
// What adding a title to `genre` writes: its log in the genre's folder, and the genre file.
Places OfNewMember(const CZarn2App& app, const std::string& genre);

// True when every place may be written (one that is not there yet counts: its folder is
// among them); false after a message naming the first that may not.
bool Allow(const Places& places);

}  // namespace WritePlaces
