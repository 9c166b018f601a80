// The files of a run belong to the computer that runs it: another computer's journal, change
// record and temporaries in a shared Temp/ are never taken, those a build before the run
// folders left in Temp/ itself are this computer's, and a Syncthing folder keeps Temp/ out of
// the sync.
#include "core/history/HistoryTestUtil.h"
#include "support/ProgramFolder.h"

#include "launch/CPlayJournal.h"
#include "launch/LostPlay.h"
#include "library/PendingChange.h"
#include "platform/MachineId.h"
#include "sync/RunFiles.h"

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
        std::optional<std::string> ignore;  // the .stignore before; "/" for a folder
        std::optional<std::string> after;
    } cases[] = {
        {"no Syncthing folder", false, std::nullopt, std::nullopt},
        {"no .stignore yet", true, std::nullopt, "/Temp\n"},
        {"its lines kept, CR LF and a last line without its end", true, "// mine\r\n/Zarn2.ini",
         "// mine\r\n/Zarn2.ini\r\n/Temp\r\n"},
        {"a Temp further down is another folder", true, "/Zarn/Temp\n", "/Zarn/Temp\n/Temp\n"},
        {"an included Temp is not ignored", true, "!/Temp\n", "!/Temp\n/Temp\n"},
        {"Temp named already", true, "(?d)Temp/\n", "(?d)Temp/\n"},
        {"Temp named already, with blanks", true, "  /Temp/**  \r\n", "  /Temp/**  \r\n"},
        {"a .stignore that is no file is left as it is", true, "/", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.app.m_szHomeDir = folder.dir.Path();
        const std::string ignore = folder.dir / ".stignore";
        if (c.syncthing)
            std::filesystem::create_directory(folder.dir / ".stfolder");
        if (c.ignore == "/")
            std::filesystem::create_directory(ignore);
        else if (c.ignore)
            TempDir::WriteBytes(ignore, *c.ignore);
        bool added = c.after && c.after != c.ignore;
        for (int pass = 0; pass < 2; ++pass) {
            RunFiles::Prepare(folder.app);
            EXPECT_EQ(std::filesystem::is_regular_file(ignore), c.after.has_value());
            if (c.after) {
                EXPECT_EQ(TempDir::ReadBytes(ignore), *c.after);
            }
            EXPECT_EQ(folder.TakeMessages().size(), pass == 0 && added ? 1u : 0u) << "pass " << pass;
        }
    }
}
