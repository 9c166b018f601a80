#pragma once

#include <string>
#include <string_view>

// The names sync tools give the losing version of a file changed on two computers at
// once, kept beside the file:
//   Syncthing            "<name>.sync-conflict-<YYYYMMDD>-<HHMMSS>-<device>.<ext>"
//   Nextcloud, Dropbox   "<name> (conflicted copy <date> …).<ext>", "<name> (<who>'s conflicted copy
//   <date>).<ext>"
// A copy of a copy carries several such marks.
namespace ConflictName {

// The name of the file `name` is a copy of (every mark taken out), or "" when `name`
// carries no mark.
std::string Original(std::string_view name);

}  // namespace ConflictName
