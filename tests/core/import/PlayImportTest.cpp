// Plays brought back from an export file into the titles' logs.
#include "history/PlayLogRecord.h"
#include "import/ExportedPlays.h"
#include "import/LogMerge.h"
#include "import/PlayImport.h"
#include "platform/IClock.h"
#include "stats/LibraryShape.h"
#include "stats/PlayExport.h"
#include "stats/PlayLogCache.h"
#include "support/FakeClock.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// Each title as "genre/title[program]:" and its plays "start=seconds".
std::string Describe(const std::vector<ExportedTitle>& titles)
{
    std::string out;
    for (const ExportedTitle& title : titles) {
        out += title.genre + "/" + title.title + "[" + title.program + "]:";
        for (const CPlayTime& play : title.plays)
            out += " " + PlayLogRecord::Format(play).substr(0, 19) + "=" + std::to_string(play.m_nElapsed);
        out += "\n";
    }
    return out;
}

CPlayTime PlayAt(const char* start, int seconds)
{
    CPlayTime play;
    PlayLogRecord::ParseStart(start, play);
    play.m_nElapsed = seconds;
    return play;
}

}  // namespace

TEST(PlayImport, ExportFilesAreReadAndOthersRefused)
{
    struct Case {
        const char* what;
        std::string bytes;
        const char* titles;   // Describe, when it is read
        const char* problem;  // a piece of the problem, when it is refused
    } cases[] = {
        {"CSV", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n"
                    "RPG,\"竜, III\",2009-03-07T21:05:09+09:00,3723\r\nRPG,北,2010-01-01T00:00:00-03:30,5\r\n"
                    "RPG,\"竜, III\",2009-03-08T10:00:00Z,60\r\n",
         "RPG/竜, III[]: 2009/03/07,21:05:09=3723 2009/03/08,10:00:00=60\nRPG/北[]: 2010/01/01,00:00:00=5\n", nullptr},
        {"CSV of no plays", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n", "", nullptr},
        {"a quoted line end", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n"
                                  "\"a\r\nb\",\"say \"\"hi\"\"\",2009-03-07T21:05:09+09:00,1\r\n",
         "a\r\nb/say \"hi\"[]: 2009/03/07,21:05:09=1\n", nullptr},
        {"JSON",
         R"({"genres":[{"name":"RPG","titles":[{"name":"竜","path":"steam://rungameid/1","plays":[)"
         R"({"start":"2009-03-07T21:05:09+09:00","seconds":3723}]},{"name":"x","path":"","unreadable":true,"plays":[]}]}]})",
         "RPG/竜[steam://rungameid/1]: 2009/03/07,21:05:09=3723\nRPG/x[]:\n", nullptr},
        {"another program's CSV", "Name,Start,Seconds\r\nA,2009-03-07T21:05:09,1\r\n", nullptr, "ではありません"},
        {"CSV without its mark", "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n", nullptr, "ではありません"},
        {"a row of three fields", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\nA,B,1\r\n", nullptr,
         "2 行目"},
        {"a start in another form", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\nA,B,2009/03/07 21:05,1\r\n",
         nullptr, "2 行目"},
        {"an impossible date", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\nA,B,2009-13-07T21:05:09Z,1\r\n",
         nullptr, "2 行目"},
        {"an unclosed quote", std::string(kBom) + "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n\"A,B,x,1\r\n", nullptr,
         "引用符"},
        {"another program's JSON", R"({"games":[]})", nullptr, "genres"},
        {"JSON without seconds", R"({"genres":[{"name":"a","titles":[{"name":"b","plays":[{"start":"2009-03-07T21:05:09Z"}]}]}]})",
         nullptr, "genres[0].titles[0].plays"},
        {"damaged JSON", R"({"genres":[)", nullptr, "JSON として読めません"},
        {"binary", std::string("\x89PNG\r\n\x1a\n", 8), nullptr, "ではありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string problem;
        std::optional<std::vector<ExportedTitle>> titles = ExportedPlays::Parse(c.bytes, problem);
        if (c.titles) {
            ASSERT_TRUE(titles) << problem;
            EXPECT_EQ(Describe(*titles), c.titles);
        } else {
            EXPECT_FALSE(titles);
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        }
    }
}

TEST(PlayImport, PlaysGoToTheirPlacesByStartAndOnlyOnce)
{
    const LocalDateTime now{2024, 6, 1, 12, 0, 0};
    struct Case {
        const char* what;
        std::string log;
        std::vector<CPlayTime> plays;
        std::string merged;
        size_t added, present, refused;
    } cases[] = {
        {"into an empty log",
         "",
         {PlayAt("2009/03/07,21:05:09", 10), PlayAt("2009/03/08,01:00:00", 20)},
         "2009/03/07,21:05:09\r\n10\r\n2009/03/08,01:00:00\r\n20\r\n", 2, 0, 0},
        {"between and around the plays",
         "2010/01/01,10:00:00\r\n1\r\n2010/01/03,10:00:00\r\n3\r\n",
         {PlayAt("2010/01/04,00:00:00", 4), PlayAt("2010/01/02,00:00:00", 2), PlayAt("2009/12/31,00:00:00", 0)},
         "2009/12/31,00:00:00\r\n0\r\n2010/01/01,10:00:00\r\n1\r\n2010/01/02,00:00:00\r\n2\r\n"
         "2010/01/03,10:00:00\r\n3\r\n2010/01/04,00:00:00\r\n4\r\n", 3, 0, 0},
        {"a play held already, or twice in the file",
         "2010/01/01,10:00:00\n1\n",
         {PlayAt("2010/01/01,10:00:00", 1), PlayAt("2010/01/01,10:00:00", 2), PlayAt("2010/01/01,10:00:00", 2)},
         "2010/01/01,10:00:00\n1\n2010/01/01,10:00:00\r\n2\r\n", 1, 2, 0},
        {"damaged lines stay where they are",
         "garbage\r\n2010/01/05,00:00:00\r\n5\r\n",
         {PlayAt("2010/01/06,00:00:00", 6)},
         "garbage\r\n2010/01/05,00:00:00\r\n5\r\n2010/01/06,00:00:00\r\n6\r\n", 1, 0, 0},
        {"plays the log cannot hold",
         "",
         {PlayAt("2007/12/31,23:59:59", 1), PlayAt("2024/06/01,12:00:01", 1), PlayAt("2010/01/01,00:00:00", -5)},
         "", 0, 0, 3},
        {"a log out of start order",
         "2010/01/03,00:00:00\r\n3\r\n2010/01/01,00:00:00\r\n1\r\n",
         {PlayAt("2010/01/02,00:00:00", 2)},
         "2010/01/03,00:00:00\r\n3\r\n2010/01/01,00:00:00\r\n1\r\n2010/01/02,00:00:00\r\n2\r\n", 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogMerge::Counts counts;
        EXPECT_EQ(LogMerge::Merged(RawPlayLog::Split(c.log), c.plays, now, counts), c.merged);
        EXPECT_EQ(counts.added, c.added);
        EXPECT_EQ(counts.present, c.present);
        EXPECT_EQ(counts.refused, c.refused);
    }
}

// Exported from a library, brought into an empty one: the same logs, byte for byte, in
// both formats; brought in again, nothing changes.
TEST(PlayImport, AnExportBroughtIntoAnEmptyLibraryGivesTheSameLogs)
{
    FakeClock clock;
    clock.now = {2024, 6, 1, 12, 0, 0};
    ProgramFolder from;
    from.Build([](CZarn2Doc& doc) {
        ProgramFolder::AddGenre(doc, "RPG", 0);
        doc.AddMember("竜, III", "steam://rungameid/1", "steam://rungameid/1", 1, 0);
        doc.AddMember("北の王国", "/usr/games/kita", "/usr/games/kita", 1, 0);
        ProgramFolder::AddGenre(doc, "Puzzle, 2", 0, 1);
        doc.AddMember("mines", "/usr/share/applications/org.gnome.Mines.desktop", "", 1, 0);
    });
    from.WriteLog("RPG", "竜, III", {{"2009/03/07,21:05:09", 3723}, {"2009/03/07,23:00:00", 60}, {"2012/02/29,00:00:00", 1}});
    from.WriteLog("RPG", "北の王国", {{"2010/10/10,10:10:10", 100}});
    from.WriteLog("Puzzle, 2", "mines", {{"2020/01/01,00:00:00", 5}, {"2020/01/01,00:00:00", 5}});
    CZarn2Doc& source = from.LoadDoc();

    for (PlayExport::Format format : {PlayExport::Format::Csv, PlayExport::Format::Json}) {
        SCOPED_TRACE(format == PlayExport::Format::Csv ? "CSV" : "JSON");
        const std::string file = from.dir / "plays.export";
        PlayLogCache cache;
        ASSERT_EQ(PlayExport::Run(file, format, LibraryShape::Of(source), cache), 0);
        std::string problem;
        std::optional<std::vector<ExportedTitle>> titles = ExportedPlays::Read(file, problem);
        ASSERT_TRUE(titles) << problem;

        ProgramFolder to;
        CZarn2Doc& empty = to.LoadDoc();
        std::vector<PlayImportRow> rows = PlayImport::Rows(empty, *titles);
        ASSERT_EQ(rows.size(), 3u) << Describe(*titles);
        for (const PlayImportRow& row : rows)
            EXPECT_TRUE(row.missing && row.create) << row.genre << "/" << row.title;
        PlayImport::Outcome outcome = PlayImport::Apply(empty, *titles, rows);
        EXPECT_EQ(outcome.counts.added, 5u);
        EXPECT_EQ(outcome.counts.present, 1u);  // the play logged twice
        EXPECT_TRUE(outcome.failures.empty()) << PlayImport::Summary(outcome);
        for (auto [genre, title] : {std::pair{"RPG", "竜, III"}, {"RPG", "北の王国"}}) {
            EXPECT_EQ(TempDir::ReadBytes(to.LogPath(genre, title)), TempDir::ReadBytes(from.LogPath(genre, title)))
                << genre << "/" << title;
        }
        EXPECT_EQ(TempDir::ReadBytes(to.LogPath("Puzzle, 2", "mines")), "2020/01/01,00:00:00\r\n5\r\n");
        const std::string program = empty.m_Group[0].m_Member[0].m_szExePath;
        EXPECT_EQ(program, format == PlayExport::Format::Json ? "steam://rungameid/1" : "");

        rows = PlayImport::Rows(empty, *titles);
        PlayImport::Outcome again = PlayImport::Apply(empty, *titles, rows);
        EXPECT_EQ(again.counts.added, 0u);
        EXPECT_EQ(again.counts.present, 6u);
    }
}

// A title the user chose not to make gets nothing; nothing of a missing genre is made.
TEST(PlayImport, MissingTitlesLeftOutTakeNoPlays)
{
    ProgramFolder f;
    CZarn2Doc& doc = f.LoadDoc();
    std::vector<ExportedTitle> titles{{"G", "t", "", {PlayAt("2010/01/01,00:00:00", 1)}},
                                      {"G", "a:b", "", {PlayAt("2010/01/01,00:00:00", 1)}}};
    std::vector<PlayImportRow> rows = PlayImport::Rows(doc, titles);
    EXPECT_TRUE(rows[0].create);
    EXPECT_FALSE(rows[1].create);
    EXPECT_NE(rows[1].problem, "");
    rows[0].create = false;
    PlayImport::Outcome outcome = PlayImport::Apply(doc, titles, rows);
    EXPECT_EQ(outcome.skipped, 2u);
    EXPECT_EQ(doc.m_nGroupCount, 0);
    EXPECT_FALSE(std::filesystem::exists(f.Data("G")));
}

// Titles are made only as far as the library's limits go: a genre's 128 titles, 32 genres.
// Those beyond say why and are not offered, so that the others are made.
TEST(PlayImport, TitlesAreNotMadeBeyondTheLibrarysLimits)
{
    ProgramFolder f;
    f.Build([](CZarn2Doc& doc) {
        for (int g = 0; g < CZarn2Doc::kMaxGroups - 2; ++g)
            doc.AddGroup("G" + std::to_string(g), 0);
        ProgramFolder::AddGenre(doc, "Near", CGroup::kMaxMembers - 2);
    });
    CZarn2Doc& doc = f.LoadDoc();
    const CPlayTime play = PlayAt("2010/01/01,00:00:00", 1);
    std::vector<ExportedTitle> titles{{"Near", "a", "", {play}}, {"Near", "b", "", {play}}, {"Near", "c", "", {play}},
                                      {"New1", "x", "", {play}}, {"New2", "y", "", {play}}};
    std::vector<PlayImportRow> rows = PlayImport::Rows(doc, titles);
    struct Case {
        const char* title;
        bool create;
        const char* why;
    } cases[] = {{"a", true, ""}, {"b", true, ""}, {"c", false, "上限[128]"}, {"x", true, ""}, {"y", false, "上限[32]"}};
    ASSERT_EQ(rows.size(), std::size(cases));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(cases[i].title);
        EXPECT_EQ(rows[i].create, cases[i].create);
        EXPECT_NE(rows[i].problem.find(cases[i].why), std::string::npos) << rows[i].problem;
        EXPECT_EQ(rows[i].problem.empty(), cases[i].create);
    }
    PlayImport::Outcome outcome = PlayImport::Apply(doc, titles, rows);
    EXPECT_EQ(outcome.counts.added, 3u);
    EXPECT_EQ(outcome.skipped, 2u);
    EXPECT_TRUE(outcome.failures.empty()) << PlayImport::Summary(outcome);
    EXPECT_EQ(doc.m_nGroupCount, CZarn2Doc::kMaxGroups);
}
