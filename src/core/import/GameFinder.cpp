#include "import/GameFinder.h"

#include "import/DesktopGames.h"
#include "import/HeroicGames.h"
#include "import/LutrisGames.h"
#include "import/SteamGames.h"

namespace GameFinder {

FoundGames Find(const ImportPlaces& places)
{
    FoundGames found;
    SteamGames::Find(places.SteamRoots(), found);
    LutrisGames::Find(places.LutrisDatabases(), found);
    HeroicGames::Find(places.HeroicFolders(), found);
    DesktopGames::Find(places.EntryFolders(), found);
    return found;
}

}  // namespace GameFinder
