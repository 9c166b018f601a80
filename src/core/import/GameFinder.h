#pragma once

#include "import/FoundGames.h"
#include "import/ImportPlaces.h"

// Every game found on this PC: Steam's, Lutris's and Heroic's games, then the desktop's
// entries of games (those that start one of these games through its client left out). Only
// the places of `places` are read.
namespace GameFinder {

FoundGames Find(const ImportPlaces& places);

}  // namespace GameFinder
