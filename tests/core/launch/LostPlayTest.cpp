// A play the last run could not record: offered once at the next start from its journal.
#include "core/history/HistoryTestUtil.h"
#include "launch/CPlayJournal.h"
#include "launch/LostPlay.h"
#include "platform/FileLock.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kEarlier = "2009/03/01,10:00:00\r\n60\r\n";
const std::string kLost = "2009/03/07,21:05:09\r\n3723\r\n";  // the journal's play as logged

std::string Journal(const std::string& title, int idleSeconds = 0)
{
    PlayJournalEntry entry{"G", title, "/nowhere/" + title + ".Log", MakeSession(2009, 3, 7, 21, 5, 9, 0),
                           3723, idleSeconds};
    entry.start.ComputeStamp();
    return PlayJournalText::Format(entry);
}

struct Row {
    const char* name;
    std::string journal;
    std::string logBefore;
    std::vector<bool> answers;
    int limitMinite;
    bool heldElsewhere;
    // expected
    size_t questions;
    size_t messages;
    bool appended;
    bool journalLeft;
    std::string recorded = kLost;
};

}  // namespace

TEST(LostPlay, IsOfferedOnceAndRecordedOnlyWhenItShouldBe)
{
    const Row rows[] = {
        {"yes records it", Journal("G-0"), kEarlier, {true}, 0, false, 1, 0, true, false},
        {"no discards it", Journal("G-0"), kEarlier, {false}, 0, false, 1, 0, false, false},
        {"already the log's last record", Journal("G-0"), kEarlier + kLost, {true}, 0, false, 0, 0, false, false},
        {"an earlier identical record is no guard", Journal("G-0"), kLost + kEarlier, {true}, 0, false, 1, 0, true,
         false},
        {"the title is gone", Journal("Gone"), kEarlier, {true}, 0, false, 1, 1, false, false},
        {"short play declined", Journal("G-0"), kEarlier, {true, false}, 120, false, 2, 0, false, false},
        {"short play confirmed", Journal("G-0"), kEarlier, {true, true}, 120, false, 2, 0, true, false},
        {"damaged", "genre=G\ntitle=", kEarlier, {true}, 0, false, 0, 1, false, false},
        {"held by a running launcher", Journal("G-0"), kEarlier, {true}, 0, true, 0, 0, false, true},
        {"idle time left out", Journal("G-0", 3600), kEarlier, {true, true}, 0, false, 2, 0, true, false,
         "2009/03/07,21:05:09\r\n123\r\n"},
        {"idle time kept", Journal("G-0", 3600), kEarlier, {true, false}, 0, false, 2, 0, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramFolder folder;
        folder.Build([](CZarn2Doc& library) { ProgramFolder::AddGenre(library, "G", 1); });
        folder.app.m_szTempDir = folder.dir / "Temp";
        folder.app.LimitMinite = row.limitMinite;
        std::filesystem::create_directory(folder.app.m_szTempDir);
        const std::string journal = CPlayJournal::PathIn(folder.app.m_szTempDir);
        TempDir::WriteBytes(journal, row.journal);
        const std::string log = folder.LogPath("G", "G-0");
        TempDir::WriteBytes(log, row.logBefore);
        FileLock runningLauncher;
        std::string bytes;
        int error = 0;
        if (row.heldElsewhere) {
            ASSERT_EQ(runningLauncher.TryClaim(journal, bytes, error), FileLock::Claim::Claimed);
        }
        for (bool answer : row.answers)
            folder.messenger.AnswerNext(answer);

        EXPECT_EQ(LostPlay::Recover(folder.LoadDoc(), folder.app), row.appended);

        EXPECT_EQ(folder.messenger.questions.size(), row.questions);
        EXPECT_EQ(folder.messenger.messages.size(), row.messages);
        EXPECT_EQ(TempDir::ReadBytes(log), row.appended ? row.logBefore + row.recorded : row.logBefore);
        EXPECT_EQ(ProgramFolder::Exists(journal), row.journalLeft);
        if (row.questions > 0) {
            const std::string& asked = folder.messenger.questions[0];
            for (const char* filled : {"\nG / G", "2009/03/07 21:05:09", "01:02:03"})
                EXPECT_NE(asked.find(filled), std::string::npos) << filled << " in " << asked;
        }
    }
}
