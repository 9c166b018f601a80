#include "import/ImportPlaces.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG variable holds absolute paths only; anything else is ignored.
std::string AbsoluteOr(const std::string& value, const std::string& fallback)
{
    return !value.empty() && value.front() == '/' ? value : fallback;
}

void AddOnce(std::vector<std::string>& list, const std::string& path)
{
    if (std::find(list.begin(), list.end(), path) == list.end())
        list.push_back(path);
}

}  // namespace

ImportPlaces ImportPlaces::FromEnvironment()
{
    ImportPlaces places;
    places.home = Env("HOME");
    places.dataHome = AbsoluteOr(Env("XDG_DATA_HOME"), places.home + "/.local/share");
    places.configHome = AbsoluteOr(Env("XDG_CONFIG_HOME"), places.home + "/.config");
    std::istringstream dirs(Env("XDG_DATA_DIRS"));
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!dir.empty() && dir.front() == '/')
            AddOnce(places.dataDirs, dir);
    }
    if (places.dataDirs.empty())
        places.dataDirs = {"/usr/local/share", "/usr/share"};
    return places;
}

std::vector<std::string> ImportPlaces::EntryFolders() const
{
    std::vector<std::string> folders{dataHome + "/applications"};
    for (const std::string& dir : dataDirs)
        AddOnce(folders, dir + "/applications");
    // Flatpak and Snap put their exports on XDG_DATA_DIRS through the session's profile;
    // a session started otherwise still has them.
    AddOnce(folders, dataHome + "/flatpak/exports/share/applications");
    AddOnce(folders, "/var/lib/flatpak/exports/share/applications");
    AddOnce(folders, "/var/lib/snapd/desktop/applications");
    return folders;
}

std::vector<std::string> ImportPlaces::SteamRoots() const
{
    return {home + "/.steam/steam", dataHome + "/Steam", home + "/.var/app/com.valvesoftware.Steam/data/Steam",
            home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam"};
}

std::vector<std::string> ImportPlaces::LutrisDatabases() const
{
    return {dataHome + "/lutris/pga.db", configHome + "/lutris/pga.db",
            home + "/.var/app/net.lutris.Lutris/data/lutris/pga.db"};
}

std::vector<std::string> ImportPlaces::HeroicFolders() const
{
    return {configHome + "/heroic", home + "/.var/app/com.heroicgameslauncher.hgl/config/heroic"};
}
