// The import dialog over a PC with 2,000 desktop entries (400 of them games, the others
// not) and 500 Steam games in two libraries, each with its manifest and its icon in the
// client's library cache: the games found, set against a library of 32 × 127 titles, the
// dialog made, shown and painted. Wall time, five runs (the files in the page cache after
// the first); the finding alone is printed beside it.
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"

#include "app/CZarn2App.h"
#include "dialogs/CImportGamesDlg.h"
#include "import/GameFinder.h"
#include "library/CZarn2Doc.h"

#include <QApplication>
#include <QElapsedTimer>

#include <filesystem>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int kEntries = 2000;
constexpr int kGameEntries = 400;
constexpr int kSteamGames = 500;
constexpr int kRuns = 5;

void Write(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The home folder's places: desktop entries in a data folder of their own, a Steam client
// with a second library.
ImportPlaces MakePlaces(const std::string& home)
{
    ImportPlaces places{home, home + "/.local/share", home + "/.config", {home + "/share"}};
    for (int i = 0; i < kEntries; ++i) {
        bool game = i < kGameEntries;
        Write(home + "/share/applications/app" + std::to_string(i) + ".desktop",
              "[Desktop Entry]\nType=Application\nName=Application " + std::to_string(i) +
                  "\nName[ja]=アプリ " + std::to_string(i) + "\nComment=Something to run\nExec=true %U\nIcon=app" +
                  std::to_string(i) + "\nCategories=" + (game ? "Game;ArcadeGame;" : "Utility;") +
                  "\nKeywords=one;two;three;\n");
    }
    const std::string steam = home + "/.local/share/Steam";
    const std::string second = home + "/SteamLibrary";
    Write(steam + "/steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam +
                                                       "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + second +
                                                       "\"\n\t}\n}\n");
    for (int i = 0; i < kSteamGames; ++i) {
        std::string id = std::to_string(1000 + i);
        std::string library = i % 2 ? second : steam;
        Write(library + "/steamapps/appmanifest_" + id + ".acf",
              "\"AppState\"\n{\n\t\"appid\"\t\t\"" + id + "\"\n\t\"Universe\"\t\t\"1\"\n\t\"name\"\t\t\"Game " + id +
                  ": The Sequel\"\n\t\"StateFlags\"\t\t\"4\"\n\t\"installdir\"\t\t\"Game " + id +
                  "\"\n\t\"LastUpdated\"\t\t\"1700000000\"\n\t\"SizeOnDisk\"\t\t\"123456789\"\n\t\"UserConfig\"\n\t{\n"
                  "\t\t\"language\"\t\t\"english\"\n\t}\n}\n");
        Write(steam + "/appcache/librarycache/" + id + "/0123456789abcdef0123456789abcdef0123" + id.substr(0, 4) +
                  ".jpg",
              "jpg");
    }
    return places;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    BenchMessenger messenger;
    const std::string folder = BenchFixture::TempFolder("import");
    BenchFixture::Library shape;
    shape.sessions = 0;
    const std::string binary = BenchFixture::WriteProgramFolder(folder + "/program", shape);
    CZarn2App app;
    app.m_szProgramDir = folder + "/program";
    app.m_szDataDir = app.m_szProgramDir + "/Zarn";
    app.m_szTempDir = app.m_szProgramDir + "/Temp";
    app.m_szIniPath = app.m_szProgramDir + "/Zarn2.ini";
    app.m_szExePath = binary;
    app.m_szGroupListPath = app.m_szProgramDir + "/Zarn2.Grp";
    auto doc = std::make_unique<CZarn2Doc>(app);
    doc->OnNewDocument();
    ImportPlaces places = MakePlaces(folder + "/home");

    std::vector<double> opens, finds;
    size_t found = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        FoundGames games = GameFinder::Find(places);
        finds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        found = games.games.size();
        GameImport import(*doc, std::move(games));
        ImportChoice choice{{}, doc->m_Group[0].m_szName, false};
        CImportGamesDlg dialog(import, choice);
        dialog.show();
        QApplication::processEvents();
        dialog.grab();
        opens.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("games found: %zu (of %d entries and %d Steam games)\n", found, kEntries, kSteamGames);
    std::printf("finding alone: min %.1f ms, median %.1f ms\n", *std::min_element(finds.begin(), finds.end()),
                BenchReport::Median(finds));
    double median = BenchReport::Median(opens);
    BenchReport::Figure("8. import dialog opened (2,000 entries, 500 Steam games)",
                        BenchReport::Printf("median %.0f ms (min %.0f ms)", median,
                                            *std::min_element(opens.begin(), opens.end())),
                        "< 1000 ms", median < 1000 && found == kGameEntries + kSteamGames);
    BenchFixture::RemoveTree(folder);
    return 0;
}
