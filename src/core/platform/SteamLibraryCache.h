#pragma once

#include <string>

// The Steam client's cache of its library's pictures: a game's own icon, for a title that
// is a Steam URL ("steam://rungameid/N", "steam://run/N", "steam://launch/N").
namespace SteamLibraryCache {

// The game id of such a URL, "" for anything else.
std::string GameId(const std::string& url);

// The game's icon in the client's cache below `home`: the older
// appcache/librarycache/<id>_icon.jpg, or the newer appcache/librarycache/<id>/<hash>.jpg
// (the icon is the picture named by its 40-digit hash), in the client's folders (the
// ~/.steam/steam link, ~/.local/share/Steam, Flatpak's); "" when none is there.
std::string IconFile(const std::string& url, const std::string& home);

}  // namespace SteamLibraryCache
