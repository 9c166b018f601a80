#pragma once

#include "import/FoundGames.h"

#include <string>
#include <string_view>
#include <vector>

// The desktop's entries of games: the applications folders' desktop entries (their
// subfolders too) whose Categories holds "Game", as the games menu shows them: an entry id
// found in an earlier folder hides the later ones, and hidden entries, entries kept off the
// menu, entries of another type and entries whose program is missing are left out. An entry
// is registered as its file; its icon is its Icon key. An entry that starts a game already
// found through its client (its command holds that game's URL) is left out, and so are the
// entries of the clients themselves (Steam, Lutris, Heroic).
namespace DesktopGames {

void Find(const std::vector<std::string>& folders, FoundGames& found);

// Whether a list value (";"-separated: Categories, MimeType) holds `category`.
bool HasCategory(std::string_view categories, std::string_view category);

}  // namespace DesktopGames
