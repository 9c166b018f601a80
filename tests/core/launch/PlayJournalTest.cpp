// The journal of a running recorded play: its text, and its life from the play's start to
// its removal, on a fake clock.
#include "core/history/HistoryTestUtil.h"
#include "launch/CPlayJournal.h"
#include "launch/IdleWatch.h"
#include "platform/FileLock.h"
#include "support/FakeClock.h"
#include "support/FakeIdleSource.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <filesystem>

namespace {

// The entry the journal file holds now; fails the test when it cannot be read.
PlayJournalEntry Read(const std::string& path)
{
    PlayJournalEntry entry;
    EXPECT_TRUE(PlayJournalText::Parse(TempDir::ReadBytes(path), entry)) << TempDir::ReadBytes(path);
    return entry;
}

}  // namespace

TEST(PlayJournal, WrittenAtStartEveryBeatAndAtTheEndThenRemoved)
{
    TempDir dir;
    FakeClock clock;
    ScriptedMessenger messenger;
    const std::string path = CPlayJournal::PathIn(dir.Path());
    PlayJournalEntry entry{"ジャンル", "タイトル", dir / "タイトル.Log", {}, 0};
    ASSERT_TRUE(entry.start.Start());
    clock.Advance(3);  // the journal begins a moment after the start it is given
    FakeIdleSource nobodyThere(clock);
    IdleWatch idle(1);
    ASSERT_TRUE(idle.Begin(entry.start.m_nMonotonicMs));

    CPlayJournal journal(path);
    journal.WatchIdle(&idle);
    journal.Begin(entry);
    PlayJournalEntry written = Read(path);
    EXPECT_EQ(written.genre, entry.genre);
    EXPECT_EQ(written.title, entry.title);
    EXPECT_EQ(written.logPath, entry.logPath);
    EXPECT_EQ(written.start.m_nStamp, entry.start.m_nStamp);
    EXPECT_EQ(written.seconds, 3);
    EXPECT_EQ(written.idleSeconds, 0) << "not yet the threshold";
    FileLock other;
    std::string bytes;
    int error = 0;
    EXPECT_EQ(other.TryClaim(path, bytes, error), FileLock::Claim::HeldElsewhere) << "held while the play runs";

    clock.Advance(CPlayJournal::kBeatMs / 1000);
    journal.Beat();
    EXPECT_EQ(Read(path).seconds, 63);
    EXPECT_EQ(Read(path).idleSeconds, 63);
    clock.Advance(5);
    journal.Stop(64);  // the play as measured, not the clock now
    EXPECT_EQ(Read(path).seconds, 64);
    EXPECT_EQ(Read(path).idleSeconds, 68) << "read at the end";
    EXPECT_EQ(nobodyThere.closes, 1);

    journal.End();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(messenger.messages.empty());
}

// The beats fall just past each whole minute of measured play, so the first writes 60 s.
TEST(PlayJournal, TheBeatComesOnceAMinuteOfPlayHasBeenMeasured)
{
    TempDir dir;
    FakeClock clock;
    const std::string path = CPlayJournal::PathIn(dir.Path());
    PlayJournalEntry entry{"g", "t", "l", {}, 0};
    ASSERT_TRUE(entry.start.Start());
    clock.monotonicMs += CPlayJournal::kBeatMs - 10;  // the journal begins late in the first minute
    CPlayJournal journal(path);
    journal.Begin(entry);
    EXPECT_EQ(Read(path).seconds, 59);
    clock.monotonicMs += 100;
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(Read(path).seconds, 60);
}

TEST(PlayJournal, AFailedWriteIsReportedOnceWhenThePlayIsMeasured)
{
    TempDir dir;
    FakeClock clock;
    ScriptedMessenger messenger;
    CPlayJournal journal(dir / "missing/play.journal");
    PlayJournalEntry entry{"g", "t", "l", {}, 0};
    ASSERT_TRUE(entry.start.Start());
    journal.Begin(entry);
    journal.Beat();
    EXPECT_TRUE(messenger.messages.empty()) << "no box while the title's end is waited for";
    journal.Stop(5);
    EXPECT_EQ(messenger.messages.size(), 1u);
}

TEST(PlayJournalText, ReadsWhatItWritesAndRefusesAnythingElse)
{
    PlayJournalEntry entry{"a=b\\c", "line\nbreak\r", "/p/a=b.Log", MakeSession(2024, 2, 29, 23, 59, 58, 0),
                           12345, 600};
    entry.start.ComputeStamp();
    const std::string text = PlayJournalText::Format(entry);
    PlayJournalEntry read;
    ASSERT_TRUE(PlayJournalText::Parse(text, read)) << text;
    EXPECT_EQ(PlayJournalText::Format(read), text);
    EXPECT_EQ(read.title, entry.title);
    EXPECT_EQ(read.idleSeconds, 600);
    PlayJournalEntry earlier;  // a journal from before the idle time was kept
    ASSERT_TRUE(PlayJournalText::Parse(text.substr(0, text.find("idle=")), earlier));
    EXPECT_EQ(earlier.idleSeconds, 0);

    auto replaced = [&text](const std::string& from, const std::string& to) {
        std::string changed = text;
        return changed.replace(changed.find(from), from.size(), to);
    };
    const std::string damaged[] = {
        "",
        text.substr(0, text.size() - 1),                            // cut short
        text.substr(text.find('\n') + 1),                           // a key missing
        text + "seconds=1\n",                                       // a key twice
        text + "other=1\n",                                         // an unknown key
        replaced("seconds=12345", "seconds=-1"),                    // negative seconds
        replaced("idle=600", "idle=-1"),                            // negative idle time
        replaced("seconds=12345", "seconds=12x"),                   // not a number
        replaced("stamp=", "stamp=1"),                              // stamp of another moment
        replaced("start=2024/02/29", "start=2023/02/29"),           // no such day
        replaced("a=b\\\\c", "a=b\\c"),                             // an unknown escape
        replaced("genre=", "genre"),                                // no "="
        std::string("\xff\xfe") + text,                             // garbage
    };
    for (const std::string& bad : damaged) {
        SCOPED_TRACE(bad);
        PlayJournalEntry out;
        EXPECT_FALSE(PlayJournalText::Parse(bad, out));
    }
}
