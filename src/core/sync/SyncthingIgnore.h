#pragma once

#include <string>
#include <string_view>

// The lines of a Syncthing ".stignore" as far as the home folder's Temp is concerned.
// Syncthing reads them in order and the first pattern that matches a path decides; "//"
// starts a comment, "#include <file>" reads patterns from another file, and the flags
// "(?d)", "(?i)" and "!" (included: synced after all) may stand before a pattern in any order.
namespace SyncthingIgnore {

// Whether a line ignores the home folder's Temp ("Temp", "/Temp", "/Temp/", "/Temp/**", with
// "(?d)" or "(?i)" before it) when it is the first to match.
bool IgnoresTemp(std::string_view line);
// Where "/Temp" must go in `bytes` for Syncthing to honour it: before the first line that may
// take Temp back into the sync (any "!" pattern, and an "#include", whose patterns are not
// looked into), or at the end (bytes.size()); std::string::npos when a line ignoring Temp
// comes first already. `before` gets the line it must go before, without its line end.
size_t PlaceForTemp(std::string_view bytes, std::string& before);

}  // namespace SyncthingIgnore
