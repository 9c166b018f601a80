#pragma once

#include <string>

// The Steam client's cache of its library's pictures: a game's own icon, for a title that
// is a Steam URL ("steam://rungameid/N", "steam://run/N", "steam://launch/N") and for a
// game found in the client's libraries.
namespace SteamLibraryCache {

// The game id of such a URL, "" for anything else.
std::string GameId(const std::string& url);

// The icon of the game `appId` (digits) in the cache of the client folder `root`: the older
// appcache/librarycache/<id>_icon.jpg, or the newer picture named by its 40-digit hash in
// appcache/librarycache/<id>/ or one of its subfolders; "" when none is there.
std::string IconIn(const std::string& root, const std::string& appId);

// The game's icon in the client's folders below `home` (the ~/.steam/steam link,
// ~/.local/share/Steam, Flatpak's); "" when none is there.
std::string IconFile(const std::string& url, const std::string& home);

}  // namespace SteamLibraryCache
