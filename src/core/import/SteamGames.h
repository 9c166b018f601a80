#pragma once

#include "import/FoundGames.h"

#include <string>
#include <vector>

// The games the Steam client has installed: every library that a client folder's
// libraryfolders.vdf lists (the folder itself is always one), each game from its
// steamapps/appmanifest_<id>.acf. A game is registered as steam://rungameid/<id>; its icon
// is the one in the client's library cache. The client's own tools (Proton, the runtimes,
// the redistributables) and games not fully installed are left out.
namespace SteamGames {

// Client folders that lead to the same place are read once, and so are libraries.
void Find(const std::vector<std::string>& roots, FoundGames& found);

// Whether the app is one of the client's tools rather than a game.
bool IsTool(const std::string& appId, const std::string& name);

// The library folders a libraryfolders.vdf lists, in either layout: numbered keys whose
// value is the path (older clients), or numbered blocks holding a "path" key. Empty with
// `problem` set when the text is damaged.
std::vector<std::string> LibraryPaths(const std::string& text, std::string& problem);

}  // namespace SteamGames
