// The files of a run belong to the computer that runs it: another computer's journal, change
// record and temporaries in a shared Temp/ are never taken, those a build before the run
// folders left in Temp/ itself are this computer's, and a Syncthing folder keeps Temp/ out of
// the sync.
#include "core/history/HistoryTestUtil.h"
#include "support/HostileFiles.h"
#include "support/ProgramFolder.h"

#include "launch/CPlayJournal.h"
#include "launch/LostPlay.h"
#include "library/PendingChange.h"
#include "platform/MachineId.h"
#include "sync/RunFiles.h"
#include "sync/SharedLibrary.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::string Journal(const std::string& title)
{
    PlayJournalEntry entry{"G", title, "", MakeSession(2009, 3, 7, 21, 5, 9, 0), 3723};
    entry.start.ComputeStamp();
    return PlayJournalText::Format(entry);
}

}  // namespace

TEST(RunFiles, AnotherComputersAreNeverTakenAndThoseOfTheBuildBeforeAreThisOnes)
{
    ProgramFolder folder;
    folder.Build([](CZarn2Doc& library) { ProgramFolder::AddGenre(library, "G", 2); });
    const std::string other = folder.dir / "Temp/0123456789abcdef0123456789abcdef";
    std::filesystem::create_directories(other);
    const std::vector<std::pair<std::string, std::string>> others = {
        {other + "/play.journal", Journal("G-0")},
        {other + "/" + PendingChange::kFileName, "[Zarn2.Intent]\r\nDeleteMember\r\nG\r\nG-0\r\n"},
        {other + "/" + PendingChange::kFileName + "~a8Xk2Q", "left"},
    };
    for (const auto& [path, bytes] : others)
        TempDir::WriteBytes(path, bytes);
    TempDir::WriteBytes(folder.dir / "Temp/play.journal", Journal("G-1"));
    CZarn2App app;
    ASSERT_EQ(app.Construct(folder.dir / "Zarn2", 1024, 768), 0);
    EXPECT_EQ(app.m_szTempDir, folder.dir / "Temp/" + MachineId::ThisMachine());
    folder.messenger.AnswerNext(true);
    CZarn2Doc doc(app);
    doc.OnNewDocument();
    EXPECT_TRUE(LostPlay::Recover(doc, app)) << "the journal in Temp/ itself is this computer's";
    EXPECT_EQ(folder.messenger.questions.size(), 1u);
    EXPECT_FALSE(ProgramFolder::Exists(folder.dir / "Temp/play.journal"));
    EXPECT_EQ(TempDir::ReadBytes(folder.LogPath("G", "G-1")), "2009/03/07,21:05:09\r\n3723\r\n");
    EXPECT_EQ(doc.m_Group[0].m_nMemberCount, 2) << "another computer's deletion is not finished here";
    for (const auto& [path, bytes] : others)
        EXPECT_EQ(TempDir::ReadBytes(path), bytes) << path;
    app.Teardown();
}

TEST(RunFiles, ASyncthingFolderKeepsTempOutOfTheSyncOnce)
{
    struct Case {
        const char* what;
        bool syncthing;
        std::optional<std::string> ignore;  // the .stignore before
        std::optional<std::string> after;
        const char* said = "";  // a part of the message, when one is shown
        const char* home = "";  // the home folder inside Syncthing's folder
    } cases[] = {
        {"no Syncthing folder", false, std::nullopt, std::nullopt},
        {"no .stignore yet", true, std::nullopt, "/Temp\n"},
        {"its lines kept, CR LF and a last line without its end", true, "// mine\r\n/Zarn2.ini",
         "// mine\r\n/Zarn2.ini\r\n/Temp\r\n"},
        {"a Temp further down is another folder", true, "/Zarn/Temp\n", "/Zarn/Temp\n/Temp\n"},
        {"the first pattern that matches decides: before the one that includes Temp", true,
         "/Zarn2.ini\n!/Temp\n/Temp\n", "/Zarn2.ini\n/Temp\n!/Temp\n/Temp\n", "\"!/Temp\" の行の前に"},
        {"flags in any order before the !", true, "(?d)(?i)!temp/**\r\n", "/Temp\r\n(?d)(?i)!temp/**\r\n"},
        {"an included file may include Temp", true, "#include shared\n/Temp\n", "/Temp\n#include shared\n/Temp\n",
         "#include shared"},
        {"Temp named already", true, "(?d)Temp/\n", "(?d)Temp/\n"},
        {"Temp named already, with blanks", true, "  /Temp/**  \r\n", "  /Temp/**  \r\n"},
        {"Temp named before what includes, and a comment", true, "// !/Temp\n/Temp\n!/Zarn\n",
         "// !/Temp\n/Temp\n!/Zarn\n"},
        {"the home folder inside Syncthing's folder", true, std::nullopt, "/Games/Zarn 2/Temp\n",
         "/Games/Zarn 2/Temp を加えて", "Games/Zarn 2"},
        {"a pattern's characters in the folders' names stand for themselves", true, "/Zarn2.ini\n",
         "/Zarn2.ini\n/Spiele \\[alt\\]/Zarn\\*2/Temp\n", "", "Spiele [alt]/Zarn*2"},
        {"the Temp beside the home folder is another folder", true, "/Temp\n", "/Temp\n/Games/Temp\n", "", "Games"},
        {"Temp alone is a Temp at any depth", true, "(?d)Temp/**\n", "(?d)Temp/**\n", "", "Games"},
        {"the home folder's Temp named already", true, "/Games/Zarn2/Temp/\n", "/Games/Zarn2/Temp/\n", "",
         "Games/Zarn2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.app.m_szHomeDir = folder.dir / c.home;
        std::filesystem::create_directories(folder.app.m_szHomeDir);
        const std::string ignore = folder.dir / ".stignore";
        if (c.syncthing)
            std::filesystem::create_directory(folder.dir / ".stfolder");
        if (c.ignore)
            TempDir::WriteBytes(ignore, *c.ignore);
        bool added = c.after && c.after != c.ignore;
        for (int pass = 0; pass < 2; ++pass) {
            RunFiles::Prepare(folder.app);
            EXPECT_EQ(std::filesystem::is_regular_file(ignore), c.after.has_value());
            if (c.after) {
                EXPECT_EQ(TempDir::ReadBytes(ignore), *c.after);
            }
            std::vector<std::string> messages = folder.TakeMessages();
            ASSERT_EQ(messages.size(), pass == 0 && added ? 1u : 0u) << "pass " << pass;
            if (!messages.empty()) {
                EXPECT_NE(messages[0].find(c.said), std::string::npos) << messages[0];
            }
        }
    }
}

// What the launcher cannot rewrite in place is left exactly as it is, nothing is written
// where a link leads, and every start says that Temp is not kept out.
TEST(RunFiles, AStignoreThatIsNoFileOfItsOwnIsLeftAsItIsAndSaysSo)
{
    std::vector<HostileFile> rows;
    for (const HostileFile& hostile : HostileFiles())
        if (hostile.make || std::string(hostile.what).starts_with("larger"))
            rows.push_back(hostile);
    rows.push_back({"a folder", nullptr, [](const char* path) { ::mkdir(path, 0755); }});
    rows.push_back({"a link to a file elsewhere", nullptr, [](const char* path) {
                        TempDir::WriteBytes(std::string(path) + ".elsewhere", "/Zarn2.ini\n");
                        (void)!::symlink((std::string(path) + ".elsewhere").c_str(), path);
                    }});
    rows.push_back({"a link that leads nowhere yet", nullptr, [](const char* path) {
                        (void)!::symlink((std::string(path) + ".elsewhere").c_str(), path);
                    }});
    for (const HostileFile& hostile : rows) {
        SCOPED_TRACE(hostile.what);
        ProgramFolder folder;
        folder.app.m_szHomeDir = folder.dir.Path();
        std::filesystem::create_directory(folder.dir / ".stfolder");
        const std::string ignore = folder.dir / ".stignore";
        hostile.Put(ignore, "/Zarn2.ini\n");
        const std::string before = Fingerprint(ignore) + Fingerprint(ignore + ".elsewhere");
        for (int pass = 0; pass < 2; ++pass) {
            RunFiles::Prepare(folder.app);
            std::vector<std::string> messages = folder.TakeMessages();
            ASSERT_EQ(messages.size(), 1u) << "pass " << pass;
            EXPECT_NE(messages[0].find("書き加えられませんでした"), std::string::npos) << messages[0];
        }
        EXPECT_EQ(Fingerprint(ignore) + Fingerprint(ignore + ".elsewhere"), before);
    }
}

// A change journal is kept only for a library shared with other PCs: one whose home folder a
// sync tool shares (its marker there or in a folder above), or one that holds journals
// already. A library of one PC keeps its files as the Windows version writes them.
TEST(RunFiles, AJournalIsKeptOnlyForASharedLibrary)
{
    struct Row {
        const char* what;
        std::string entry;  // made below the program folder's parent ("" none)
        bool shared;
    } rows[] = {
        {"a library of one PC", "", false},
        {"the home folder is Syncthing's folder", "home/.stfolder", true},
        {"a folder above the home folder is Dropbox's", ".dropbox", true},
        {"Nextcloud's client shares the home folder", "home/.nextcloudsync.log", true},
        {"journals kept here before", "home/Zarn/.changes", true},
        {"a marker beside the home folder tells nothing", "other/.stfolder", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir top;
        const std::filesystem::path home = std::filesystem::path(top.Path()) / "home";
        std::filesystem::create_directories(home / "Zarn");
        if (!row.entry.empty())
            std::filesystem::create_directories(std::filesystem::path(top.Path()) / row.entry);
        CZarn2App app;
        app.m_szHomeDir = home;
        app.m_szDataDir = home / "Zarn";
        EXPECT_EQ(SharedLibrary::Is(app), row.shared);
    }
}
