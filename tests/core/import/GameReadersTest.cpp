// The readers of what game clients leave on disk, each on small files made here.
#include "import/DesktopGames.h"
#include "import/GameFinder.h"
#include "import/HeroicGames.h"
#include "import/KeyValues.h"
#include "import/LutrisGames.h"
#include "import/SteamGames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    TempDir::WriteBytes(path, bytes);
}

// Each game as "name|source|program|icon", then each problem line.
std::string Describe(const FoundGames& found, const std::string& root = {})
{
    std::ostringstream out;
    auto shorter = [&root](std::string text) {
        for (size_t at; !root.empty() && (at = text.find(root)) != std::string::npos;)
            text.replace(at, root.size(), "~");
        return text;
    };
    for (const FoundGame& game : found.games)
        out << game.name << "|" << game.source << "|" << game.program << "|" << shorter(game.icon) << "\n";
    for (const std::string& problem : found.problems)
        out << "problem: " << shorter(problem) << "\n";
    return out.str();
}

std::string Dump(const std::vector<KeyValue>& keys)
{
    std::string out;
    for (const KeyValue& key : keys)
        out += key.block ? key.key + "{" + Dump(key.children) + "}" : key.key + "=" + key.value + ";";
    return out;
}

std::string Manifest(const std::string& id, const std::string& name, const std::string& flags = "4")
{
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"" + id + "\"\n\t\"name\"\t\t\"" + name + "\"\n\t\"StateFlags\"\t\t\"" +
           flags + "\"\n\t\"installdir\"\t\t\"" + name + "\"\n}\n";
}

}  // namespace

TEST(GameReaders, KeyValuesText)
{
    struct Case {
        std::string text;
        const char* parsed;   // Dump of the roots, when it parses
        const char* problem;  // a piece of the problem, when it does not
    } cases[] = {
        {"\"a\" { \"b\" \"1\" }", "a{b=1;}", nullptr},
        {"a { b 1 c \"x y\" }", "a{b=1;c=x y;}", nullptr},
        {"\"a\"\n{\n\t\"k\"\t\"C:\\\\Games\\\\x\"\n}", "a{k=C:\\Games\\x;}", nullptr},
        {"\"a\" { \"q\" \"say \\\"hi\\\"\" \"n\" \"1\\n2\" }", "a{q=say \"hi\";n=1\n2;}", nullptr},
        {"// head\n\"a\" // after\n{ \"b\" \"1\" // end\n}", "a{b=1;}", nullptr},
        {"\"a\" { \"b\" \"1\" [$WIN32] \"c\" [$LINUX] { } }", "a{b=1;c{}}", nullptr},
        {"\"a\" { \"in\" { \"deep\" { } } }", "a{in{deep{}}}", nullptr},
        {"\"a\" { \"b\" \"1\" }\n\"c\" \"2\"", "a{b=1;}c=2;", nullptr},
        {"", "", nullptr},
        {"\"a\" { \"b\" \"1\"", nullptr, "閉じる }"},
        {"\"a\" { \"b\" }", nullptr, "値がありません"},
        {"\"a\" { \"b\" \"unclosed }", nullptr, "引用符"},
        {"}", nullptr, "{ がありません"},
        {"{ \"b\" \"1\" }", nullptr, "キーがありません"},
        {std::string("\"a\"\0{", 5), nullptr, "NUL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        KeyValues::Parsed parsed = KeyValues::Parse(c.text);
        if (c.parsed) {
            EXPECT_EQ(parsed.problem, "");
            EXPECT_EQ(Dump(parsed.roots), c.parsed);
        } else {
            EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << parsed.problem;
            EXPECT_TRUE(parsed.roots.empty());
        }
    }
    std::string deep;
    for (int i = 0; i <= KeyValues::kMaxDepth; ++i)
        deep += "k {";
    EXPECT_NE(KeyValues::Parse(deep).problem.find("深すぎます"), std::string::npos);
}

TEST(GameReaders, SteamLibraryFoldersInBothLayouts)
{
    struct Case {
        const char* what;
        const char* text;
        std::vector<std::string> paths;
    } cases[] = {
        {"blocks with a path",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n\t\t\"apps\"\n\t\t{\n"
         "\t\t\t\"570\"\t\t\"123\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games\"\n\t}\n}\n",
         {"/home/u/.local/share/Steam", "/mnt/games"}},
        {"numbered paths of an older client",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n\t\"ContentStatsID\"\t\t\"-1\"\n"
         "\t\"1\"\t\t\"/mnt/games\"\n\t\"2\"\t\t\"/media/disk/SteamLibrary\"\n}\n",
         {"/mnt/games", "/media/disk/SteamLibrary"}},
        {"a relative path is left out", "\"libraryfolders\" { \"1\" \"games\" }", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string problem;
        EXPECT_EQ(SteamGames::LibraryPaths(c.text, problem), c.paths);
        EXPECT_EQ(problem, "");
    }
    std::string problem;
    EXPECT_TRUE(SteamGames::LibraryPaths("\"libraryfolders\" { \"0\" { \"path\" ", problem).empty());
    EXPECT_NE(problem.find("壊れています"), std::string::npos) << problem;
    EXPECT_TRUE(SteamGames::LibraryPaths("\"config\" { }", problem).empty());
    EXPECT_NE(problem.find("libraryfolders"), std::string::npos) << problem;
}

// A client in the data home reached also through ~/.steam/steam, with a second library
// elsewhere: each game once, its tools and a game still downloading left out, damaged
// manifests named.
TEST(GameReaders, SteamGamesOfEveryLibrary)
{
    TempDir home;
    const std::string root = home / ".local/share/Steam";
    const std::string second = home / "games";
    Write(root + "/steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + root +
                                                      "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + second +
                                                      "\"\n\t}\n}\n");
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(root, home / ".steam/steam");
    Write(root + "/steamapps/appmanifest_10.acf", Manifest("10", "Counter-Strike"));
    Write(root + "/steamapps/appmanifest_1493710.acf", Manifest("1493710", "Proton Experimental"));
    Write(root + "/steamapps/appmanifest_1628350.acf", Manifest("1628350", "Steam Linux Runtime 3.0 (sniper)"));
    Write(root + "/steamapps/appmanifest_20.acf", Manifest("20", "Team Fortress Classic", "1026"));
    Write(second + "/steamapps/appmanifest_400.acf", Manifest("400", "Portal"));
    Write(second + "/steamapps/appmanifest_500.acf", "\"AppState\" { \"appid\" \"500\" \"name\" ");
    Write(second + "/steamapps/appmanifest_600.acf", "\"Other\" { }");
    Write(second + "/steamapps/notes.acf", Manifest("700", "Not a manifest's name"));
    Write(root + "/appcache/librarycache/10_icon.jpg", "jpg");
    Write(root + "/appcache/librarycache/400/0123456789abcdef0123456789abcdef01234567.jpg", "jpg");
    Write(root + "/appcache/librarycache/400/header.jpg", "jpg");

    FoundGames found;
    SteamGames::Find({home / ".steam/steam", root}, found);
    EXPECT_EQ(Describe(found, home.Path()),
              "Counter-Strike|Steam|steam://rungameid/10|~/.steam/steam/appcache/librarycache/10_icon.jpg\n"
              "Portal|Steam|steam://rungameid/400|~/.steam/steam/appcache/librarycache/400/"
              "0123456789abcdef0123456789abcdef01234567.jpg\n"
              "problem: ~/games/steamapps/appmanifest_500.acf : 壊れています: 1 行目のキー \"name\" に値がありません.\n"
              "problem: ~/games/steamapps/appmanifest_600.acf : \"AppState\" のブロックがありません.\n");

    // A broken list leaves the client's own library, and says so.
    Write(root + "/steamapps/libraryfolders.vdf", "\"libraryfolders\" {");
    FoundGames broken;
    SteamGames::Find({root}, broken);
    EXPECT_EQ(Describe(broken, home.Path()),
              "Counter-Strike|Steam|steam://rungameid/10|~/.local/share/Steam/appcache/librarycache/10_icon.jpg\n"
              "problem: ~/.local/share/Steam/steamapps/libraryfolders.vdf : 壊れています: 1 行目で終わっていて, "
              "閉じる } がありません.\n");
}

TEST(GameReaders, LutrisInstalledGamesFromItsDatabase)
{
    TempDir home;
    const std::string db = home / "lutris/pga.db";
    fs::create_directories(home / "lutris/coverart");
    TempDir::WriteBytes(home / "lutris/coverart/super-tux.jpg", "jpg");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
    const char* sql =
        "CREATE TABLE games (id INTEGER PRIMARY KEY, name TEXT, slug TEXT, installer_slug TEXT, runner TEXT,"
        " directory TEXT, installed INTEGER, hidden INTEGER);"
        "INSERT INTO games VALUES (3, 'SuperTux', 'super-tux', NULL, 'linux', '/g', 1, 0);"
        "INSERT INTO games VALUES (5, 'Not Here', 'not-here', NULL, 'wine', NULL, 0, 0);"
        "INSERT INTO games VALUES (7, '東方', 'touhou', NULL, 'wine', '/g2', 1, 0);";
    EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    FoundGames found;
    LutrisGames::Find({db, home / "missing/pga.db"}, found);
    EXPECT_EQ(Describe(found, home.Path()), "SuperTux|Lutris|lutris:rungameid/3|~/lutris/coverart/super-tux.jpg\n"
                                            "東方|Lutris|lutris:rungameid/7|\n");

    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;
    } damaged[] = {
        {"not a database", std::string(4096, 'x'), "Lutris のデータベースとして読めません"},
        {"no games table", "", "Lutris のデータベースとして読めません"},
    };
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.what);
        TempDir::WriteBytes(db, c.bytes);
        FoundGames bad;
        LutrisGames::Find({db}, bad);
        EXPECT_TRUE(bad.games.empty());
        ASSERT_EQ(bad.problems.size(), 1u);
        EXPECT_EQ(bad.problems[0].rfind(db + " : " + c.problem, 0), 0u) << bad.problems[0];
    }
}

TEST(GameReaders, HeroicInstalledGamesFromItsLibraryFiles)
{
    TempDir config;
    const std::string heroic = config / "heroic";
    Write(heroic + "/store_cache/legendary_library.json",
          R"({"library":[{"app_name":"Fortnite","title":"Fortnite","runner":"legendary"},)"
          R"({"app_name":"a b&c","title":"Odd Name","runner":"legendary"},)"
          R"({"app_name":"Gone","title":"Not Installed","runner":"legendary"}]})");
    Write(heroic + "/legendaryConfig/legendary/installed.json", R"({"Fortnite":{},"a b&c":{}})");
    Write(heroic + "/store_cache/gog_library.json",
          R"({"games":[{"app_name":"1207658924","title":"Witcher","runner":"gog"},)"
          R"({"app_name":"2","title":"Elsewhere","runner":"gog","is_installed":true}]})");
    Write(heroic + "/gog_store/installed.json", R"({"installed":[{"appName":"1207658924","platform":"linux"}]})");
    Write(heroic + "/store_cache/nile_library.json",
          R"({"library":[{"app_name":"amzn1","title":"Amazon Game","is_installed":true},)"
          R"({"app_name":"amzn2","title":"Amazon Other","is_installed":false}]})");
    Write(heroic + "/sideload_apps/library.json",
          R"({"games":[{"app_name":"side1","title":"My Emulator","runner":"sideload","is_installed":true}]})");

    FoundGames found;
    HeroicGames::Find({heroic, config / "flatpak/heroic"}, found);
    EXPECT_EQ(Describe(found, config.Path()),
              "Fortnite|Heroic (Epic)|heroic://launch?appName=Fortnite&runner=legendary|com.heroicgameslauncher.hgl\n"
              "Odd Name|Heroic (Epic)|heroic://launch?appName=a%20b%26c&runner=legendary|com.heroicgameslauncher.hgl\n"
              "Witcher|Heroic (GOG)|heroic://launch?appName=1207658924&runner=gog|com.heroicgameslauncher.hgl\n"
              "Amazon Game|Heroic (Amazon)|heroic://launch?appName=amzn1&runner=nile|com.heroicgameslauncher.hgl\n"
              "My Emulator|Heroic|heroic://launch?appName=side1&runner=sideload|com.heroicgameslauncher.hgl\n");

    Write(heroic + "/store_cache/gog_library.json", R"({"games":[{"app_name":"1", )");
    Write(heroic + "/sideload_apps/library.json", R"(["not", "an", "object"])");
    FoundGames damaged;
    HeroicGames::Find({heroic}, damaged);
    ASSERT_EQ(damaged.problems.size(), 2u) << Describe(damaged);
    EXPECT_EQ(damaged.problems[0].rfind(heroic + "/store_cache/gog_library.json : JSON として読めません", 0), 0u)
        << damaged.problems[0];
    EXPECT_EQ(damaged.problems[1], heroic + "/sideload_apps/library.json : \"games\" の一覧がありません.");
}

// Only the places listed are read: an empty home finds nothing and says nothing.
TEST(GameReaders, AnEmptyHomeFindsNothing)
{
    TempDir home;
    ImportPlaces places{home.Path(), home / ".local/share", home / ".config", {home / "share"}};
    FoundGames found = GameFinder::Find(places);
    EXPECT_TRUE(found.games.empty());
    EXPECT_TRUE(found.problems.empty());
    for (const std::string& folder : places.EntryFolders())
        EXPECT_TRUE(folder.starts_with(home.Path()) || folder.starts_with("/var/lib/")) << folder;
}

// Desktop entries of games, the user's folder before the system's: an id found first hides
// the later ones; entries that are no game, hidden, kept off the menu, not installed, or
// starting a game found through its client, and the clients' own entries are left out.
TEST(GameReaders, DesktopEntriesOfGames)
{
    TempDir dirs;
    const std::string user = dirs / "home/applications";
    const std::string system = dirs / "usr/applications";
    auto entry = [](const std::string& keys) { return "[Desktop Entry]\nType=Application\n" + keys; };
    struct File {
        std::string path;
        std::string text;
    } files[] = {
        {system + "/org.gnome.Mines.desktop",
         entry("Name=Mines\nName[ja]=マインスイーパー\nExec=true %U\nIcon=org.gnome.Mines\nCategories=GNOME;GTK;Game;LogicGame;\n")},
        {system + "/editor.desktop", entry("Name=Editor\nExec=true\nCategories=Utility;\n")},
        {system + "/hidden.desktop", entry("Name=Hidden\nExec=true\nHidden=true\nCategories=Game;\n")},
        {system + "/nodisplay.desktop", entry("Name=Off\nExec=true\nNoDisplay=true\nCategories=Game;\n")},
        {system + "/missing.desktop", entry("Name=Missing\nExec=/no/such/game\nCategories=Game;\n")},
        {system + "/overridden.desktop", entry("Name=System copy\nExec=true\nCategories=Game;\n")},
        {user + "/overridden.desktop", entry("Name=User copy\nExec=true\nIcon=/icons/u.png\nCategories=Game;\n")},
        {user + "/steam_app_10.desktop", entry("Name=Counter-Strike\nExec=steam steam://rungameid/10\nCategories=Game;\n")},
        {user + "/wine/Programs/pinball.desktop", entry("Name=Pinball\nExec=true\nCategories=Game;\n")},
        {user + "/broken.desktop", "not an entry at all"},
        // The clients themselves: by the URLs they open, or by their ids.
        {system + "/steam.desktop", entry("Name=Steam\nExec=true %U\nCategories=Network;FileTransfer;Game;\n"
                                          "MimeType=x-scheme-handler/steam;x-scheme-handler/steamlink;\n")},
        {user + "/net.lutris.Lutris.desktop",
         entry("Name=Lutris\nExec=true %U\nCategories=Game;\nMimeType=x-scheme-handler/lutris;\n")},
        {user + "/heroic-portable.desktop",
         entry("Name=Heroic Games Launcher\nExec=true %U\nCategories=Game;\nMimeType=x-scheme-handler/heroic;\n")},
        {system + "/com.heroicgameslauncher.hgl.desktop", entry("Name=Heroic\nExec=true\nCategories=Game;\n")},
    };
    for (const File& file : files)
        Write(file.path, file.text);
    FoundGames found;
    found.games.push_back({"Counter-Strike", "Steam", "steam://rungameid/10", "", false});
    DesktopGames::Find({user, system}, found);
    EXPECT_EQ(Describe(found, dirs.Path()),
              "Counter-Strike|Steam|steam://rungameid/10|\n"
              "User copy|デスクトップ|" + user + "/overridden.desktop|/icons/u.png\n"
              "Pinball|デスクトップ|" + user + "/wine/Programs/pinball.desktop|\n"
              "マインスイーパー|デスクトップ|" + system + "/org.gnome.Mines.desktop|org.gnome.Mines\n");
    EXPECT_TRUE(found.games.back().themeIcon);

    struct Case {
        const char* categories;
        bool game;
    } categories[] = {{"Game;", true}, {"GNOME;Game", true}, {"Games;", false}, {"ArcadeGame;", false}, {"", false}};
    for (const Case& c : categories)
        EXPECT_EQ(DesktopGames::HasCategory(c.categories, "Game"), c.game) << c.categories;
}
