#pragma once

#include "import/FoundGames.h"

#include <string>
#include <vector>

// The games Heroic has installed, from its JSON library files in its configuration folder:
// store_cache/legendary_library.json, gog_library.json and nile_library.json (the stores'
// games: "app_name", "title", "runner", "is_installed") and sideload_apps/library.json (games
// added by hand). Which store games are installed comes from each store's installed list
// (legendaryConfig/legendary/installed.json, gog_store/installed.json,
// nile_config/nile/installed.json), else from "is_installed". A game is registered as
// Heroic's launch URL, heroic://launch?appName=<app name>&runner=<runner>.
namespace HeroicGames {

void Find(const std::vector<std::string>& folders, FoundGames& found);

// The launch URL of a game.
std::string LaunchUrl(const std::string& appName, const std::string& runner);

}  // namespace HeroicGames
