// Found games set against the library: the names they would be registered with.
#include "import/GameImport.h"
#include "import/TitleNames.h"
#include "library/NameRules.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(GameImport, NamesAreMadeValidForTheGenreFiles)
{
    const std::string tooLong(300, 'x');
    struct Case {
        std::string found;
        std::string name;
        bool changed;
    } cases[] = {
        {"Portal 2", "Portal 2", false},
        {"ドラゴンクエスト", "ドラゴンクエスト", false},
        {"Half-Life: Alyx", "Half-Life： Alyx", true},
        {"What? <Now> \"quoted\" a|b c*d e\\f g/h", "What？ ＜Now＞ ”quoted” a｜b c＊d e＼f g／h", true},
        {"Pokémon Café", "Pokemon Cafe", true},
        {"Game\x01Two\tTabs", "Game Two Tabs", true},
        {"  Spaced out...  ", "Spaced out", true},
        {"CON", "_CON", true},
        {"nul.txt", "_nul.txt", true},
        {"...", "名前のないゲーム", true},
        {"", "名前のないゲーム", true},
        {"Emoji 🎮 Game", "Emoji _ Game", true},
        {"波〜ダッシュ", "波～ダッシュ", true},
        {tooLong, std::string(NameRules::MaxNameBytes(NameRules::Kind::Member), 'x'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.found);
        TitleNames::Made made = TitleNames::Valid(c.found);
        EXPECT_EQ(made.name, c.name);
        EXPECT_EQ(!made.changes.empty(), c.changed);
        EXPECT_FALSE(NameRules::Problem(NameRules::Kind::Member, made.name).Refused()) << made.name;
    }
    std::string longName(NameRules::MaxNameBytes(NameRules::Kind::Member), 'y');
    std::string unique = TitleNames::Unique(longName, [&](const std::string& n) { return n == longName; });
    EXPECT_EQ(unique, longName.substr(0, longName.size() - 4) + " (2)");
}

// A genre with titles "A" and "Portal", a log left on disk under "Left", and 4 found games.
TEST(GameImport, APlanNamesEachTickedGameOrWhyItIsNotAdded)
{
    ProgramFolder f;
    f.Build([](CZarn2Doc& doc) {
        ProgramFolder::AddGenre(doc, "G", 0);
        doc.AddMember("Portal", "steam://rungameid/400", "", 1, 0);
        doc.AddMember("A", "/usr/bin/a", "", 1, 0);
    });
    TempDir::WriteBytes(f.LogPath("G", "Left"), "");
    CZarn2Doc& doc = f.LoadDoc();
    FoundGames found;
    found.games = {{"Portal", "Steam", "steam://rungameid/400", "", false},
                   {"Portal", "Lutris", "lutris:rungameid/1", "", false},
                   {"Left", "Steam", "steam://rungameid/5", "", false},
                   {"A:B", "Steam", "steam://rungameid/6", "", false},
                   {"Too far", "Heroic", "heroic://" + std::string(300, 'x'), "", false},
                   {"Portal", "Steam", "steam://rungameid/7", "", false}};
    GameImport import(doc, found);
    EXPECT_EQ(import.RegisteredAs(0), "G / Portal");
    EXPECT_EQ(import.RegisteredAs(1), "");

    struct Case {
        const char* what;
        ImportChoice choice;
        std::vector<std::string> names;  // each planned title: its name, or "-" when not added
    } cases[] = {
        {"into the genre", {{0, 1, 2, 3, 4, 5}, "G", false}, {"-", "Portal (2)", "Left (2)", "A：B", "-", "Portal (3)"}},
        {"into a new genre", {{1, 2, 5}, "New", true}, {"Portal", "Left", "Portal (2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(import.GenreProblem(c.choice), "");
        std::vector<std::string> names;
        for (const PlannedTitle& title : import.Plan(c.choice))
            names.push_back(title.Adds() ? title.name : "-");
        EXPECT_EQ(names, c.names);
    }
    std::vector<PlannedTitle> plan = import.Plan({{0, 4}, "G", false});
    EXPECT_NE(plan[0].refusal.find("登録済み"), std::string::npos) << plan[0].refusal;
    EXPECT_NE(plan[1].refusal.find("長すぎます"), std::string::npos) << plan[1].refusal;

    // The genre's room for titles is counted.
    f.doc.reset();
    f.Build([](CZarn2Doc& d) {
        d.SetCurrGroup(0);
        for (int i = 0; i < CGroup::kMaxMembers - 3; ++i)
            d.AddMember("t" + std::to_string(i), "/usr/bin/true", "", 1, 0);
    });
    CZarn2Doc& full = f.LoadDoc();
    GameImport nearlyFull(full, found);
    std::vector<PlannedTitle> room = nearlyFull.Plan({{1, 2, 3}, "G", false});
    EXPECT_TRUE(room[0].Adds());
    EXPECT_FALSE(room[1].Adds());
    EXPECT_NE(room[1].refusal.find("上限"), std::string::npos) << room[1].refusal;

    for (const char* genre : {"G", "a/b", ""})
        EXPECT_NE(nearlyFull.GenreProblem({{}, genre, true}), "") << genre;
    EXPECT_NE(nearlyFull.GenreProblem({{}, "Gone", false}), "");
}
