// A play the last run could not record: offered once at the next start from its journal,
// when the journal agrees with itself and its file.
#include "core/history/HistoryTestUtil.h"
#include "launch/CPlayJournal.h"
#include "launch/LostPlay.h"
#include "platform/FileLock.h"
#include "support/FakeClock.h"
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

const std::string kEarlier = "2009/03/01,10:00:00\r\n60\r\n";
const std::string kLost = "2009/03/07,21:05:09\r\n3723\r\n";  // the journal's play as logged
const LocalDateTime kNow{2009, 3, 8, 0, 0, 0};
const int kSinceLastBeat = 6768;  // from that play's last rewrite (22:07:12) to kNow

// A journal whose log is "{log}", the title's log in the row's folder.
std::string Journal(const std::string& title, LocalDateTime start = {2009, 3, 7, 21, 5, 9}, int seconds = 3723,
                    int idleSeconds = 0)
{
    PlayJournalEntry entry{"G", title, "{log}",
                           MakeSession(start.year, start.month, start.day, start.hour, start.minute, start.second, 0),
                           seconds, idleSeconds};
    entry.start.ComputeStamp();
    return PlayJournalText::Format(entry);
}

// Sets the file's modification time to `secondsBefore` kNow, local time.
void SetRewritten(const std::string& path, int secondsBefore)
{
    std::tm local{};
    local.tm_year = kNow.year - 1900;
    local.tm_mon = kNow.month - 1;
    local.tm_mday = kNow.day;
    local.tm_hour = kNow.hour;
    local.tm_min = kNow.minute;
    local.tm_sec = kNow.second;
    local.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&local) - secondsBefore, 0}, {std::mktime(&local) - secondsBefore, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

struct Row {
    const char* name;
    std::string journal;
    int rewritten = kSinceLastBeat;  // seconds before now
    std::string logBefore = kEarlier;
    std::vector<bool> answers = {true};
    int limitMinite = 0;
    bool heldElsewhere = false;
    const char* refused = nullptr;  // a file call that fails on the journal moved aside
    // expected
    size_t questions = 1;
    size_t messages = 0;
    bool appended = false;
    bool journalLeft = false;
    bool asideLeft = false;  // "play.journal.aside" stays
    std::string recorded = kLost;
};

}  // namespace

TEST(LostPlay, IsOfferedOnceAndRecordedOnlyWhenItShouldBe)
{
    const std::string kFiveMinutesAgo = Journal("G-0", {2009, 3, 7, 23, 55, 0}, 86400);
    const Row rows[] = {
        {.name = "yes records it", .journal = Journal("G-0"), .appended = true},
        {.name = "no discards it", .journal = Journal("G-0"), .answers = {false}},
        {.name = "already the log's last record", .journal = Journal("G-0"), .logBefore = kEarlier + kLost,
         .questions = 0},
        {.name = "an earlier identical record is no guard", .journal = Journal("G-0"),
         .logBefore = kLost + kEarlier, .appended = true},
        {.name = "the title is gone", .journal = Journal("Gone"), .messages = 1},
        {.name = "the title is gone: the log the journal names is not read", .journal = Journal("Gone"),
         .logBefore = kEarlier + kLost, .messages = 1},
        {.name = "short play declined", .journal = Journal("G-0"), .answers = {true, false}, .limitMinite = 120,
         .questions = 2},
        {.name = "short play confirmed", .journal = Journal("G-0"), .answers = {true, true}, .limitMinite = 120,
         .questions = 2, .appended = true},
        {.name = "held by a running launcher", .journal = Journal("G-0"), .heldElsewhere = true, .questions = 0,
         .journalLeft = true},
        {.name = "fewer seconds than its span: the machine slept", .journal = Journal("G-0"), .rewritten = 0,
         .appended = true},
        // Put aside and named, never offered.
        {.name = "damaged", .journal = "genre=G\ntitle=", .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "starts in the year 9999", .journal = Journal("G-0", {9999, 1, 1, 0, 0, 0}, 60), .rewritten = 0,
         .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "starts in the year 1000", .journal = Journal("G-0", {1000, 1, 1, 0, 0, 0}, 60), .rewritten = 0,
         .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "2^31-1 seconds", .journal = Journal("G-0", {2009, 3, 7, 21, 5, 9}, INT_MAX), .rewritten = 0,
         .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "a day's play that started five minutes ago", .journal = kFiveMinutesAgo, .rewritten = 0,
         .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "more time left alone than played", .journal = Journal("G-0", {2009, 3, 7, 21, 5, 9}, 3723, 100000),
         .questions = 0, .messages = 1, .asideLeft = true},
        {.name = "rewritten in the future", .journal = Journal("G-0"), .rewritten = -3600, .questions = 0,
         .messages = 1, .asideLeft = true},
        // A journal that cannot be moved aside is not offered; one that cannot be removed
        // after the answer stays aside.
        {.name = "cannot be moved aside", .journal = Journal("G-0"), .refused = "rename-noreplace", .questions = 0,
         .messages = 1, .journalLeft = true},
        {.name = "cannot be removed after the answer", .journal = Journal("G-0"), .refused = "unlink", .messages = 1,
         .appended = true, .asideLeft = true},
        {.name = "idle time left out", .journal = Journal("G-0", {2009, 3, 7, 21, 5, 9}, 3723, 3600),
         .answers = {true, true}, .questions = 2, .appended = true, .recorded = "2009/03/07,21:05:09\r\n123\r\n"},
        {.name = "idle time kept", .journal = Journal("G-0", {2009, 3, 7, 21, 5, 9}, 3723, 3600),
         .answers = {true, false}, .questions = 2, .appended = true},
        // The last reading may come a moment after the measured end: never more is left out
        // than was played.
        {.name = "idle time a little past the play's end, left out", .journal = Journal("G-0", {2009, 3, 7, 21, 5, 9}, 3723, 3726),
         .answers = {true, true}, .questions = 2, .appended = true, .recorded = "2009/03/07,21:05:09\r\n0\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramFolder folder;
        folder.Build([](CZarn2Doc& library) { ProgramFolder::AddGenre(library, "G", 1); });
        folder.app.m_szTempDir = folder.dir / "Temp";
        folder.app.LimitMinite = row.limitMinite;
        std::filesystem::create_directory(folder.app.m_szTempDir);
        const std::string journal = CPlayJournal::PathIn(folder.app.m_szTempDir);
        const std::string aside = journal + ".aside";
        const std::string log = folder.LogPath("G", "G-0");
        std::string text = row.journal;
        if (size_t at = text.find("{log}"); at != std::string::npos)
            text.replace(at, 5, log);
        TempDir::WriteBytes(journal, text);
        SetRewritten(journal, row.rewritten);
        TempDir::WriteBytes(log, row.logBefore);
        FakeClock clock;
        clock.now = kNow;
        FileLock runningLauncher;
        std::string bytes;
        int error = 0;
        if (row.heldElsewhere) {
            ASSERT_EQ(runningLauncher.TryClaim(journal, bytes, error), FileLock::Claim::Claimed);
        }
        for (bool answer : row.answers)
            folder.messenger.AnswerNext(answer);
        RecordingFileSyscalls calls;
        calls.refuse = [&](const std::string& call, const std::string& path) {
            return row.refused && call == row.refused && path == aside ? EACCES : 0;
        };

        EXPECT_EQ(LostPlay::Recover(folder.LoadDoc(), folder.app), row.appended);

        EXPECT_EQ(folder.messenger.questions.size(), row.questions);
        EXPECT_EQ(folder.messenger.messages.size(), row.messages);
        EXPECT_EQ(TempDir::ReadBytes(log), row.appended ? row.logBefore + row.recorded : row.logBefore);
        EXPECT_EQ(ProgramFolder::Exists(journal), row.journalLeft);
        EXPECT_EQ(ProgramFolder::Exists(aside), row.asideLeft);
        if (row.questions > 0) {
            const std::string& asked = folder.messenger.questions[0];
            for (const char* filled : {"\nG / G", "2009/03/07 21:05:09", "01:02:03", "ません.\n", "か ?"})
                EXPECT_NE(asked.find(filled), std::string::npos) << filled << " in " << asked;
        }
        if (row.asideLeft && !folder.messenger.messages.empty()) {
            EXPECT_NE(folder.messenger.messages.back().find(aside), std::string::npos);
        }
        // The next start offers nothing.
        folder.messenger.AnswerNext(true);
        LostPlay::Recover(folder.LoadDoc(), folder.app);
        EXPECT_EQ(folder.messenger.questions.size(), row.questions) << "offered twice";
    }
}
