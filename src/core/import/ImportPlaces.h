#pragma once

#include <string>
#include <vector>

// The places where games are looked for, and the only ones read: the desktop's
// applications folders (the user's, the system's, Flatpak's exports, Snap's), the Steam
// client's folders, Lutris's database and Heroic's configuration folders.
struct ImportPlaces {
    std::string home;
    std::string dataHome;                // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome;              // $XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share and /usr/share

    // From HOME and the XDG variables of this process.
    static ImportPlaces FromEnvironment();

    // The "applications" folders of desktop entries, the one that wins first.
    std::vector<std::string> EntryFolders() const;
    // The Steam client's folders: ~/.steam/steam, the data home's, the Flatpak client's.
    std::vector<std::string> SteamRoots() const;
    // Lutris's game database, where each kind of install keeps it.
    std::vector<std::string> LutrisDatabases() const;
    // Heroic's configuration folders (the package's, the Flatpak's).
    std::vector<std::string> HeroicFolders() const;
};
