// The play log editor: edits applied to the log as read when the dialog opened, or to the
// log as another writer left it meanwhile, and the checks of a play the user typed.
#include "history/PlayLogEdit.h"
#include "history/PlayLogRewrite.h"
#include "platform/IClock.h"
#include "stats/LibraryShape.h"
#include "stats/PlayLogCache.h"

#include "HistoryTestUtil.h"
#include "support/RecordingFileSyscalls.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

const std::string a = "2009/03/07,21:05:09\r\n3723\r\n";
const std::string b = "2009/3/8,9:00:00\n60\n";  // a hand edit: short fields, LF line ends
const std::string c = "2009/03/09,10:00:00\r\n120\r\n";

CPlayTime At(int y, int mo, int d, int h, int mi, int s, int seconds)
{
    return MakeSession(y, mo, d, h, mi, s, seconds);
}

std::string Rows(const PlayLogEdit& edit)
{
    std::string out;
    for (const PlayLogEdit::Row& row : edit.Rows())
        out += std::to_string(row.play.m_nMonth) + "/" + std::to_string(row.play.m_nDay) + "=" +
               std::to_string(row.play.m_nElapsed) + ";";
    return out;
}

}  // namespace

TEST(PlayLogEdit, EditsRewriteOnlyWhatTheyTouch)
{
    struct Case {
        const char* what;
        std::string log;
        std::function<void(PlayLogEdit&)> edit;
        std::string written;
        std::string fresh = "";  // the log read again before the write, when another writer changed it
    } cases[] = {
        {"delete", a + b + c, [](PlayLogEdit& e) { e.Delete({1}); }, a + c},
        {"delete several", a + b + c, [](PlayLogEdit& e) { e.Delete({0, 2}); }, b},
        {"change the time: the record stays in place", a + b + c,
         [](PlayLogEdit& e) { e.Change(1, At(2009, 3, 8, 9, 0, 0, 90)); },
         a + "2009/03/08,09:00:00\r\n90\r\n" + c},
        {"change the start: the play moves to its place", a + b + c,
         [](PlayLogEdit& e) { e.Change(0, At(2009, 3, 8, 12, 0, 0, 5)); },
         b + "2009/03/08,12:00:00\r\n5\r\n" + c},
        {"add before the first", a + b, [](PlayLogEdit& e) { e.Add(At(2008, 1, 1, 0, 0, 0, 1)); },
         "2008/01/01,00:00:00\r\n1\r\n" + a + b},
        {"add between", a + c, [](PlayLogEdit& e) { e.Add(At(2009, 3, 8, 0, 0, 0, 7)); },
         a + "2009/03/08,00:00:00\r\n7\r\n" + c},
        {"add after the last, whose line end is missing", a + "2009/03/09,10:00:00\r\n120",
         [](PlayLogEdit& e) { e.Add(At(2010, 1, 1, 0, 0, 0, 7)); },
         a + "2009/03/09,10:00:00\r\n120\r\n2010/01/01,00:00:00\r\n7\r\n"},
        {"add at the same start: after the play", a, [](PlayLogEdit& e) { e.Add(At(2009, 3, 7, 21, 5, 9, 1)); },
         a + "2009/03/07,21:05:09\r\n1\r\n"},
        {"damaged lines stay in place", a + "garbage\r\n\r\n2009/03/08,01:00:00\r\n" + b + c + "2009/03/1",
         [](PlayLogEdit& e) {
             e.Delete({0});
             e.Change(0, At(2009, 3, 8, 9, 0, 0, 61));
             e.Add(At(2009, 3, 10, 0, 0, 0, 2));
         },
         "garbage\r\n\r\n2009/03/08,01:00:00\r\n2009/03/08,09:00:00\r\n61\r\n" + c +
             "2009/03/10,00:00:00\r\n2\r\n2009/03/1"},
        {"an empty log", "", [](PlayLogEdit& e) { e.Add(At(2009, 3, 7, 0, 0, 0, 0)); },
         "2009/03/07,00:00:00\r\n0\r\n"},
        {"an added play changed and deleted again leaves the log", a,
         [](PlayLogEdit& e) {
             e.Change(e.Add(At(2009, 3, 8, 0, 0, 0, 1)), At(2009, 3, 9, 0, 0, 0, 2));
             e.Delete({1});
         },
         a},
        {"a play appended meanwhile is kept", a + b, [](PlayLogEdit& e) { e.Delete({0}); }, b + c, a + b + c},
        {"the appended play's log lost its last line end", a + "2009/3/8,9:00:00\n60",
         [](PlayLogEdit& e) { e.Change(1, At(2009, 3, 8, 9, 0, 0, 61)); }, a + "2009/03/08,09:00:00\r\n61\r\n" + c,
         a + "2009/3/8,9:00:00\n60\r\n" + c},
        {"a play deleted elsewhere meanwhile stays deleted; one changed is recorded as changed", a + b + c,
         [](PlayLogEdit& e) {
             e.Delete({0});
             e.Change(0, At(2009, 3, 8, 9, 0, 0, 1));
         },
         "2009/03/08,09:00:00\r\n1\r\n" + c, c},
        {"identical records are told apart by their order", a + a + a, [](PlayLogEdit& e) { e.Delete({2}); },
         "2008/01/01,00:00:00\r\n1\r\n" + a + a, "2008/01/01,00:00:00\r\n1\r\n" + a + a + a},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        PlayLogEdit edit(RawPlayLog::Split(t.log));
        t.edit(edit);
        std::string fresh = t.fresh.empty() ? t.log : t.fresh;
        EXPECT_EQ(edit.Apply(RawPlayLog::Split(fresh)), t.written);
        EXPECT_EQ(edit.Changed(), t.fresh.empty() ? t.written != t.log : true);
    }
}

// The rows the dialog shows follow the edits, and an edited row is found again by its key.
TEST(PlayLogEdit, RowsFollowTheEdits)
{
    PlayLogEdit edit(RawPlayLog::Split(a + "garbage\r\n" + b + c));
    EXPECT_EQ(Rows(edit), "3/7=3723;3/8=60;3/9=120;");
    int added = edit.Add(At(2009, 3, 8, 12, 0, 0, 5));
    EXPECT_EQ(added, 2);
    int key = edit.Rows()[2].key;
    EXPECT_EQ(edit.Change(0, At(2009, 3, 10, 0, 0, 0, 1)), 3);
    EXPECT_EQ(Rows(edit), "3/8=60;3/8=5;3/9=120;3/10=1;");
    EXPECT_EQ(edit.RowOfKey(key), 1);
    EXPECT_EQ(edit.Change(9, At(2009, 3, 10, 0, 0, 0, 1)), -1);
}

TEST(PlayLogEdit, ChecksWhatTheLogCanHoldAndOverlaps)
{
    const LocalDateTime now{2009, 3, 7, 21, 5, 9};
    constexpr int kMax = std::numeric_limits<int>::max();
    using R = PlayLogEdit::Refusal;
    struct Case {
        CPlayTime play;
        R refusal;
    } cases[] = {
        {At(2009, 3, 7, 21, 5, 9, 0), R::None},        // now
        {At(2009, 3, 7, 21, 5, 10, 0), R::Future},     // a second later
        {At(2010, 1, 1, 0, 0, 0, 0), R::Future},
        {At(2007, 12, 31, 23, 59, 59, 1), R::BeforeEpoch},
        {At(2008, 1, 1, 0, 0, 0, kMax), R::None},      // ends at the stamp's last second
        {At(2008, 1, 1, 0, 0, 1, kMax), R::TooLong},
        {At(2009, 1, 1, 0, 0, 0, -1), R::TooLong},
    };
    for (const Case& t : cases)
        EXPECT_EQ(PlayLogEdit::Check(t.play, now), t.refusal) << t.play.m_nSecond << " " << t.play.m_nElapsed;
    EXPECT_EQ(PlayLogEdit::RefusalText(R::Future), "開始日時が現在より後です. 現在までの日時にして下さい.");

    PlayLogEdit edit(RawPlayLog::Split(a + c));  // 21:05:09-22:07:12 and 10:00:00-10:02:00
    EXPECT_TRUE(edit.Overlaps(At(2009, 3, 7, 22, 7, 11, 1)));
    EXPECT_FALSE(edit.Overlaps(At(2009, 3, 7, 22, 7, 12, 60)));  // starts as the other ends
    EXPECT_TRUE(edit.Overlaps(At(2009, 3, 9, 9, 0, 0, 3601)));
    EXPECT_FALSE(edit.Overlaps(At(2009, 3, 9, 9, 0, 0, 3600)));
    EXPECT_FALSE(edit.Overlaps(At(2009, 3, 9, 10, 0, 0, 7200), 1));  // the play being changed
}

// The log on disk: read, refused when it is no log, rewritten whole, and seen at once by
// the charts' cache even when the size stays the same.
TEST(PlayLogEdit, TheLogIsRewrittenWholeOrLeftAlone)
{
    TempDir dir;
    ScriptedMessenger messenger;
    std::string path = dir / "t.Log";
    std::vector<RawPlayLog::Record> records;
    EXPECT_FALSE(PlayLogRewrite::Load(path, records));
    TempDir::WriteBytes(path, std::string("2\0\0\0", 4));
    EXPECT_FALSE(PlayLogRewrite::Load(path, records));
    TempDir::WriteBytes(path, "\x7F" "ELF\x02\x01\x01\r\n");
    EXPECT_FALSE(PlayLogRewrite::Load(path, records));
    ASSERT_EQ(messenger.messages.size(), 3u);
    for (const std::string& message : messenger.messages)
        EXPECT_NE(message.find("ログファイル<" + path + ">"), std::string::npos) << message;
    EXPECT_NE(messenger.messages[2].find("制御文字"), std::string::npos);
    messenger.Clear();

    // Every play deleted from a log that holds a damaged line: the line stays, and the log
    // opens again with no plays, to add one.
    TempDir::WriteBytes(path, a + "2009/03/0\r\n" + c);
    ASSERT_TRUE(PlayLogRewrite::Load(path, records));
    PlayLogEdit emptied(records);
    emptied.Delete({0, 1});
    ASSERT_TRUE(PlayLogRewrite::Save(path, emptied));
    EXPECT_EQ(TempDir::ReadBytes(path), "2009/03/0\r\n");
    ASSERT_TRUE(PlayLogRewrite::Load(path, records));
    PlayLogEdit added(records);
    EXPECT_EQ(Rows(added), "");
    added.Add(At(2009, 3, 9, 10, 0, 0, 120));
    ASSERT_TRUE(PlayLogRewrite::Save(path, added));
    EXPECT_EQ(TempDir::ReadBytes(path), "2009/03/0\r\n" + c);
    EXPECT_TRUE(messenger.messages.empty());

    TempDir::WriteBytes(path, a + c);
    PlayLogCache cache;
    ASSERT_EQ(cache.Read(path).total, 3843);
    ASSERT_TRUE(PlayLogRewrite::Load(path, records));
    PlayLogEdit edit(records);
    edit.Change(1, At(2009, 3, 9, 10, 0, 0, 121));
    TempDir::WriteBytes(path, a + c + b);  // recorded meanwhile
    ASSERT_TRUE(PlayLogRewrite::Save(path, edit));
    EXPECT_EQ(TempDir::ReadBytes(path), a + "2009/03/09,10:00:00\r\n121\r\n" + b);

    edit = PlayLogEdit(RawPlayLog::Split(TempDir::ReadBytes(path)));
    edit.Change(1, At(2009, 3, 9, 10, 0, 0, 122));  // the same size
    ASSERT_TRUE(PlayLogRewrite::Save(path, edit));
    LibraryShape library;
    library.genres.push_back({"RPG", {{"t", "", path}}});
    cache.Refresh(library);  // as every statistics refresh does
    EXPECT_EQ(cache.Read(path).total, 3723 + 122 + 60);
    EXPECT_TRUE(messenger.messages.empty());

    // A play synced in while the new log is flushed is read and kept; a log that changes
    // under every attempt is left as it is and the editor comes back.
    auto synced = [](int n) { return "2009/03/1" + std::to_string(n) + ",10:00:00\r\n30\r\n"; };
    for (bool everyTime : {false, true}) {
        SCOPED_TRACE(everyTime ? "changed at every flush" : "changed at the first flush");
        TempDir::WriteBytes(path, a + c);
        edit = PlayLogEdit(RawPlayLog::Split(a + c));
        edit.Delete({0});
        RecordingFileSyscalls calls;
        int landed = 0;
        calls.refuse = [&](const std::string& call, const std::string&) {
            if (call == "datasync" && (everyTime || landed == 0))
                TempDir::WriteBytes(path, a + c + synced(++landed));
            return 0;
        };
        EXPECT_EQ(PlayLogRewrite::Save(path, edit), !everyTime);
        EXPECT_EQ(TempDir::ReadBytes(path), everyTime ? a + c + synced(3) : c + synced(1));
        EXPECT_EQ(messenger.messages.size(), everyTime ? 1u : 0u);
        messenger.Clear();
    }

    TempDir::WriteBytes(path, "\x01garbage\r\n");
    EXPECT_FALSE(PlayLogRewrite::Save(path, edit));
    EXPECT_EQ(TempDir::ReadBytes(path), "\x01garbage\r\n");
    ASSERT_EQ(messenger.messages.size(), 1u);
    // The editor comes back with its edits: the message does not say they were given up.
    EXPECT_NE(messenger.messages[0].find("ログファイルは元のままです."), std::string::npos) << messenger.messages[0];
}
