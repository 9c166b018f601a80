#pragma once

#include "platform/FileStamp.h"
#include "sync/LibraryFold.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

class ChangeRecorder;
class CZarn2App;

// What the library's files hold that no journal says: the changes of the Windows version,
// of an editor, of a merge of a foreign conflict copy, or of a run stopped between a write
// and its journal line. They become this PC's lines.
namespace TakeIn {

struct Files {
    const CZarn2App& app;
    const LibraryFold& fold;
    // Whether a library file's bytes were written without a journal (no valid line, or a
    // line naming changes of this PC its journal does not hold).
    std::function<bool(std::string_view bytes)> foreign;
};

// The genre list, then each genre file, when written without a journal: what differs from
// the fold. A list or file that cannot be read or is none of its format is left out.
void LibraryFiles(const Files& files, ChangeRecorder& recorder);

// One genre file or the list (`genre` empty) with `bytes`, against the fold.
void LibraryFile(const Files& files, const std::string& genre, std::string_view bytes, ChangeRecorder& recorder);

// The logs, each looked at when its file changed since `known` (which is brought up to
// date): the living titles' logs, and the logs no living title has that were last a title's
// (a rename, a move, a deletion the sync tool brought back). A play the fold does not know
// is taken as seen; a play the log lacks is taken as deleted only when the log holds a later
// play of the same PC (an older version synced in deletes nothing); a log emptied in place
// is taken as cleared. `strays` gets the logs no living title has.
void Logs(const Files& files, std::map<std::string, FileStamp>& known, ChangeRecorder& recorder,
          std::set<std::string>& strays);

// The play mode genre `genre`'s file holds (0 when it cannot be read).
int ModeOnDisk(const CZarn2App& app, const std::string& genre);

}  // namespace TakeIn
