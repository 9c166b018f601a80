#include "launch/GameMarks.h"
#include "launch/StartedProgram.h"
#include "platform/UserProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

std::string Joined(const std::vector<std::string>& words)
{
    std::ostringstream out;
    for (const std::string& word : words)
        out << "[" << word << "]";
    return out.str();
}

}  // namespace

TEST(GameMarksTest, TheCommandNamesTheGameByItsClientsMarks)
{
    struct Case {
        std::vector<std::string> command;
        std::string steam, flatpak;
        bool lutris;
        std::string lutrisSlug, heroic;
        bool itch;
    } cases[] = {
        {{"steam://rungameid/570"}, "570", "", false, "", "", false},
        {{"steam://run/440//-novid/"}, "440", "", false, "", "", false},
        {{"steam://launch/730/dialog"}, "730", "", false, "", "", false},
        {{"/usr/games/steam", "steam://rungameid/12345678901234567"}, "12345678901234567", "", false, "", "", false},
        {{"steam", "-applaunch", "570", "-windowed"}, "570", "", false, "", "", false},
        {{"flatpak", "run", "com.valvesoftware.Steam", "-applaunch", "440"}, "440", "", false, "", "", false},
        {{"/opt/game", "-applaunch", "570"}, "", "", false, "", "", false},
        {{"steam://store/570"}, "", "", false, "", "", false},
        {{"/usr/bin/flatpak", "run", "--branch=stable", "--arch=x86_64", "--command=mines", "org.gnome.Mines"},
         "", "org.gnome.Mines", false, "", "", false},
        {{"flatpak", "run", "--command", "game", "--user", "org.example.Game", "--level", "2"},
         "", "org.example.Game", false, "", "", false},
        {{"flatpak", "run", "com.valvesoftware.Steam", "steam://rungameid/570"}, "570", "", false, "", "", false},
        {{"flatpak", "run", "not-an-app-id"}, "", "", false, "", "", false},
        {{"lutris:rungameid/12"}, "", "", true, "", "", false},
        {{"lutris", "lutris:rungame/quake-darkplaces"}, "", "", true, "quake-darkplaces", "", false},
        {{"lutris://rungame/the%20slug"}, "", "", true, "the slug", "", false},
        {{"lutris:install/quake"}, "", "", false, "", "", false},
        {{"heroic://launch/Sugar"}, "", "", false, "", "Sugar", false},
        {{"heroic://launch/gog/1207658924"}, "", "", false, "", "1207658924", false},
        {{"heroic://launch?appName=Fortnite&runner=legendary"}, "", "", false, "", "Fortnite", false},
        {{"heroic://ping"}, "", "", false, "", "", false},
        {{"itch://caves/4f3a-91/launch"}, "", "", false, "", "", true},
        {{"itch://games/123"}, "", "", false, "", "", false},
        {{"https://example.com/rungameid/570"}, "", "", false, "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Joined(c.command));
        GameMarks marks = GameMarks::Of(c.command, "");
        EXPECT_EQ(marks.steamApp, c.steam);
        EXPECT_EQ(marks.flatpakApp, c.flatpak);
        EXPECT_EQ(marks.lutris, c.lutris);
        EXPECT_EQ(marks.lutrisSlug, c.lutrisSlug);
        EXPECT_EQ(marks.heroicApp, c.heroic);
        EXPECT_EQ(marks.itch, c.itch);
        EXPECT_TRUE(marks.folder.empty());
    }
    // A command that runs the client itself and asks it for a game leaves the game to it.
    struct Client {
        std::vector<std::string> command;
        bool leftToClient;
    } clients[] = {
        {{"/usr/games/steam", "steam://rungameid/570"}, true},
        {{"flatpak", "run", "com.valvesoftware.Steam", "steam://rungameid/570"}, true},
        {{"lutris", "lutris:rungame/quake"}, true},
        {{"/usr/games/steam"}, false},  // the client alone is a program like any other
        {{"/x/handler", "steam://rungameid/570"}, false},
    };
    for (const Client& c : clients)
        EXPECT_EQ(GameMarks::Of(c.command, "").LeftToClient(), c.leftToClient) << Joined(c.command);
}

// A program in a folder of its own is known by that folder; shared folders say nothing.
TEST(GameMarksTest, OnlyATitlesOwnFolderGivesTheFolderRule)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "Games/Foo");
    std::filesystem::create_directory_symlink(dir / "Games", dir / "link");
    const char* home = std::getenv("HOME");
    struct Case {
        std::string folder;
        std::string expected;
    } cases[] = {
        {dir / "Games/Foo", dir / "Games/Foo"},
        {dir / "link/Foo", dir / "Games/Foo"},  // as the processes' paths show it
        {dir / "missing", ""},
        {"/", ""},
        {"/usr/bin", ""},
        {"/usr/games", ""},
        {home ? home : "/", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(GameMarks::Of({c.folder + "/game"}, c.folder).folder, c.expected);
    }
    // A client's game is followed by its marks, not by a folder.
    EXPECT_EQ(GameMarks::Of({"steam://rungameid/570"}, dir / "Games/Foo").folder, "");
}

// What the start ran or handed over: its command, its URL, its desktop entry's application.
TEST(GameMarksTest, TheStartedProgramGivesItsMarks)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "Games/Foo");
    const std::string folder = dir / "Games/Foo";
    using Kind = StartedProgram::Kind;
    struct Case {
        const char* name;
        Kind kind;
        std::vector<std::string> argv;
        std::string url;
        std::string flatpakApp;
        std::string steam, flatpak, expectedFolder;
        std::string program = {};
    } cases[] = {
        {"a URL through its handler", Kind::Url, {"/x/client", "steam://rungameid/570"}, "steam://rungameid/570", "",
         "570", "", ""},
        {"a URL handed over without a command", Kind::Url, {}, "steam://rungameid/570", "", "570", "", ""},
        {"Flatpak's exported entry", Kind::DesktopEntry, {"/usr/bin/flatpak", "run", "--command=mines", "org.gnome.Mines"},
         "", "org.gnome.Mines", "", "org.gnome.Mines", ""},
        {"an entry of a Flatpak application", Kind::DesktopEntry, {"/usr/bin/game-wrapper"}, "", "org.example.Game", "",
         "org.example.Game", ""},
        {"Steam's Flatpak starting a game", Kind::DesktopEntry,
         {"/usr/bin/flatpak", "run", "com.valvesoftware.Steam", "steam://rungameid/10"}, "steam://rungameid/10",
         "com.valvesoftware.Steam", "10", "", ""},
        {"an entry running a program by its path", Kind::DesktopEntry, {folder + "/start.sh", "--full"}, "", "", "", "",
         folder},
        {"an entry running a program by its bare name", Kind::DesktopEntry, {"zarn2-no-such-game"}, "", "", "", "", ""},
        {"an entry running a system program", Kind::DesktopEntry, {"sleep", "5"}, "", "", "", "", "",
         std::filesystem::canonical("/bin/sleep")},
        {"a program", Kind::Program, {folder + "/game"}, "", "", "", "", folder},
        {"a Windows program", Kind::Windows, {"/usr/bin/wine", folder + "/game.exe"}, "", "", "", "", folder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartedProgram started;
        started.kind = c.kind;
        started.argv = c.argv;
        started.url = c.url;
        started.flatpakApp = c.flatpakApp;
        started.folder = c.kind == Kind::Url || c.kind == Kind::DesktopEntry ? dir.Path() : folder;
        GameMarks marks = GameMarks::Of(started);
        EXPECT_EQ(marks.steamApp, c.steam);
        EXPECT_EQ(marks.flatpakApp, c.flatpak);
        EXPECT_EQ(marks.folder, c.expectedFolder);
        EXPECT_EQ(marks.program, c.program);
    }
}

TEST(GameMarksTest, AProcessIsTheGameWhenItCarriesTheMark)
{
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir / "Games/Foo/bin");
    fs::create_directories(dir / "prefix/dosdevices");
    fs::create_directory_symlink("/", dir / "prefix/dosdevices/z:");
    fs::create_directory_symlink(dir / "Games", dir / "prefix/dosdevices/d:");
    const std::string folder = dir / "Games/Foo";
    const std::string prefix = dir / "prefix";
    const std::string sleep = std::filesystem::canonical("/bin/sleep");
    const std::string sh = std::filesystem::canonical("/bin/sh");
    std::string onZ = "Z:" + folder + "/game.exe";
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    using Env = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        std::vector<std::string> command;
        std::string comm, exe;
        std::vector<std::string> args;
        Env env;
        std::string sandbox;
        bool matches;
    } cases[] = {
        {"Steam's app id", {"steam://rungameid/570"}, "dota2", "/g/dota2", {"/g/dota2"}, {{"SteamAppId", "570"}}, "", true},
        {"Steam's game id", {"steam://rungameid/570"}, "dota2", "/g/dota2", {}, {{"SteamGameId", "570"}}, "", true},
        {"another Steam game", {"steam://rungameid/570"}, "hl2", "/g/hl2", {}, {{"SteamAppId", "5700"}}, "", false},
        {"Steam's reaper", {"steam://rungameid/570"}, "reaper", "/s/reaper",
         {"/s/reaper", "SteamLaunch", "AppId=570", "--", "/g/dota2"}, {}, "", true},
        {"the reaper of another", {"steam://rungameid/570"}, "reaper", "/s/reaper",
         {"/s/reaper", "SteamLaunch", "AppId=5701"}, {}, "", false},
        {"Proton's wine server", {"steam://rungameid/570"}, "wineserver", "/p/wineserver", {"/p/wineserver"},
         {{"SteamAppId", "570"}}, "", false},
        {"the Flatpak sandbox", {"flatpak", "run", "org.example.Game"}, "game", "/app/bin/game", {}, {}, "org.example.Game", true},
        {"another sandbox", {"flatpak", "run", "org.example.Game"}, "game", "/app/bin/game", {}, {}, "org.example.Other", false},
        {"Lutris by the slug of the name", {"lutris:rungame/fake-quest-ii"}, "game", "/g/game", {},
         {{"LUTRIS_GAME_UUID", "1"}, {"GAME_NAME", "Fake Quest: II"}}, "", true},
        {"Lutris's older variable", {"lutris:rungame/fake-quest"}, "game", "/g/game", {},
         {{"LUTRIS_GAME_UUID", "1"}, {"game_name", "Fake  Quest"}}, "", true},
        {"another Lutris game", {"lutris:rungame/fake-quest"}, "game", "/g/game", {},
         {{"LUTRIS_GAME_UUID", "1"}, {"GAME_NAME", "Other"}}, "", false},
        {"any Lutris game by number", {"lutris:rungameid/3"}, "game", "/g/game", {}, {{"LUTRIS_GAME_UUID", "1"}}, "", true},
        {"a name without Lutris", {"lutris:rungameid/3"}, "game", "/g/game", {}, {{"GAME_NAME", "x"}}, "", false},
        {"Heroic", {"heroic://launch/gog/123"}, "game", "/g/game", {}, {{"HEROIC_APP_NAME", "123"}}, "", true},
        {"another Heroic game", {"heroic://launch/gog/123"}, "game", "/g/game", {}, {{"HEROIC_APP_NAME", "1234"}}, "", false},
        {"itch", {"itch://caves/x/launch"}, "game", "/g/game", {}, {{"ITCHIO_APP", "1"}}, "", true},
        {"a program in the folder", {folder + "/game"}, "game", folder + "/bin/game", {"game"}, {}, "", true},
        {"a program elsewhere", {folder + "/game"}, "game", "/usr/bin/game", {"/usr/bin/game"}, {}, "", false},
        {"a script in the folder", {folder + "/run.sh"}, "run.sh", "/usr/bin/dash", {"/bin/sh", folder + "/run.sh"}, {}, "", true},
        {"a script reading a file of the folder", {folder + "/run.sh"}, "cat", "/usr/bin/cat",
         {"cat", folder + "/readme"}, {}, "", false},
        {"a Windows program on Z:", {folder + "/game.exe"}, "game.exe", "/usr/lib/wine/wine64-preloader",
         {onZ, "-x"}, {{"WINEPREFIX", prefix}}, "", true},
        {"a Windows program on another drive", {folder + "/game.exe"}, "game.exe", "/usr/lib/wine/wine64-preloader",
         {"D:\\Foo\\game.exe"}, {{"WINEPREFIX", prefix}}, "", true},
        {"Wine's services in the folder's prefix", {folder + "/game.exe"}, "services.exe", "/usr/lib/wine/wine64-preloader",
         {"C:\\windows\\system32\\services.exe"}, {{"WINEPREFIX", prefix}}, "", false},
        // A system program (a game of the games menu): that program, with the command's
        // arguments that are no options.
        {"the program itself", {"sleep"}, "sleep", sleep, {"sleep", "--small"}, {}, "", true},
        {"the program with the command's argument", {"sleep", "--x", "600"}, "sleep", sleep, {"/bin/sleep", "600"}, {},
         "", true},
        {"the program with another argument", {"sleep", "600"}, "sleep", sleep, {"sleep", "5"}, {}, "", false},
        {"the interpreter running another script", {"sh", "/opt/a/run"}, "sh", sh, {"sh", "/opt/b/run"}, {}, "", false},
        {"a copy of the program elsewhere", {"sleep"}, "sleep", "/opt/sleep", {"sleep"}, {}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameMarks marks = GameMarks::Of(c.command, dir / "Games/Foo");
        UserProcess process;
        process.name = c.comm;
        process.exePath = c.exe;
        process.args = c.args;
        process.env = c.env;
        process.flatpakApp = c.sandbox;
        EXPECT_EQ(marks.Matches(process), c.matches);
    }
}

TEST(GameMarksTest, LutrisSlugsOfNames)
{
    struct Case {
        const char* name;
        const char* slug;
    } cases[] = {
        {"Quake", "quake"},
        {"Fake Quest: II", "fake-quest-ii"},
        {"  Half - Life  ", "half-life"},
        {"Pokémon_Go", "pokemon_go"},
        {"ゲーム 2", "2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LutrisSlug(c.name), c.slug) << c.name;
}
