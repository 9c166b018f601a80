#pragma once

#include <string>
#include <string_view>

// The lines of a Syncthing ".stignore" as far as the home folder's Temp is concerned (the
// home folder is Syncthing's folder or lies in it).
// Syncthing reads them in order and the first pattern that matches a path decides; "//"
// starts a comment, "#include <file>" reads patterns from another file, and the flags
// "(?d)", "(?i)" and "!" (included: synced after all) may stand before a pattern in any order.
namespace SyncthingIgnore {

// The pattern that ignores the home folder's Temp, from the home folder's path inside
// Syncthing's folder ("" when it is that folder): "/Temp", "/Games/Zarn2/Temp", the
// characters patterns give a meaning to escaped with a backslash.
std::string TempPattern(std::string_view home);
// Where the pattern `temp` must go in `bytes` for Syncthing to honour it: before the first
// line that may take Temp back into the sync (any "!" pattern, and an "#include", whose
// patterns are not looked into), or at the end (bytes.size()); std::string::npos when a line ignoring Temp
// comes first already ("Temp" alone, or `temp`, each also with "/" or "/**" after it and
// flags before it). `before` gets the line it must go before, without its line end.
size_t PlaceForTemp(std::string_view bytes, std::string_view temp, std::string& before);

}  // namespace SyncthingIgnore
