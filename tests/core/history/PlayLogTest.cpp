#include "history/CPlayHistory.h"
#include "history/PlayLogFile.h"
#include "history/RawPlayLog.h"

#include "support/FakeClock.h"
#include "HistoryTestUtil.h"
#include "support/RecordingFileSyscalls.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Sessions(const CPlayHistory& h)
{
    std::string out;
    for (const CPlayTime& s : h.m_Session) {
        char line[96];
        std::snprintf(line, sizeof line, "%d-%d-%d %d:%d:%d=%d;", s.m_nYear, s.m_nMonth, s.m_nDay,
                      s.m_nHour, s.m_nMinute, s.m_nSecond, s.m_nElapsed);
        out += line;
    }
    return out;
}

TEST(PlayLog, PlaysAreWrittenAsTwoCrLfLinesAndReadBack)
{
    TempDir dir;
    std::string path = dir / "Title.Log";
    FakeClock clock;
    ScriptedMessenger messenger;
    CPlayHistory h;
    ASSERT_EQ(h.ResetLog(path), 0);

    struct Play {
        LocalDateTime start;
        int seconds;
    } plays[] = {
        {{2009, 3, 7, 21, 5, 9}, 3723},
        {{2009, 12, 31, 23, 30, 0}, 7200},  // into the new year: logged with its start
        {{2010, 1, 2, 0, 0, 0}, 0},
        {{2012, 2, 29, 8, 9, 10}, 360000},
    };
    int n = 0;
    for (const Play& p : plays) {
        clock.now = p.start;
        CPlayTime session;
        ASSERT_TRUE(session.Start());
        clock.Advance(p.seconds);
        clock.now.year += 1;  // whatever the wall clock says at the end
        ASSERT_EQ(session.Measure(), p.seconds);
        EXPECT_EQ(h.AppendLog(path, session), ++n);
    }
    EXPECT_TRUE(messenger.messages.empty());
    EXPECT_EQ(TempDir::ReadBytes(path),
              "2009/03/07,21:05:09\r\n3723\r\n"
              "2009/12/31,23:30:00\r\n7200\r\n"
              "2010/01/02,00:00:00\r\n0\r\n"
              "2012/02/29,08:09:10\r\n360000\r\n");

    CPlayHistory read;
    ASSERT_EQ(read.ReadLog(path), 4);
    EXPECT_EQ(Sessions(read), "2009-3-7 21:5:9=3723;2009-12-31 23:30:0=7200;2010-1-2 0:0:0=0;"
                              "2012-2-29 8:9:10=360000;");
    EXPECT_EQ(Hms(read.m_Session[3]), "100:0:0");
    EXPECT_EQ(read.m_nDayCount, 4);
}

TEST(PlayLog, ReaderKeepsEveryWholeRecordAroundDamage)
{
    const char* good1 = "2009/03/07,21:05:09\n3723\n";
    const char* good2 = "2009/03/08,10:00:00\r\n60\r\n";
    const std::string both = "2009-3-7 21:5:9=3723;2009-3-8 10:0:0=60;";
    struct Case {
        const char* what;
        std::string text;
        std::string sessions;
        size_t skipped;  // damaged records counted
    } cases[] = {
        {"LF and CR LF line ends", std::string(good1) + good2, both, 0},
        {"start line without duration (program stopped while writing)",
         std::string(good1) + "2009/03/07,23:00:00\r\n" + good2, both, 1},
        {"last start line without duration is dropped",
         std::string(good1) + good2 + "2009/03/09,10:00:00\r\n", both, 1},
        {"last duration without line end", std::string(good1) + "2009/03/08,10:00:00\r\n60", both, 0},
        {"garbage between records", std::string(good1) + "\r\nxyz\r\n12\r\n" + good2, both, 1},
        {"garbage in place of a duration", std::string(good1) + "2009/03/09,10:00:00\r\nabc\r\n" + good2,
         both, 1},
        {"a duration with trailing junk", std::string(good1) + "2009/03/09,10:00:00\r\n60s\r\n" + good2, both,
         1},
        {"a date out of range", std::string(good1) + "2009/13/09,10:00:00\r\n5\r\n" + good2, both, 1},
        {"a duration beyond 32 bits", std::string(good1) + "2009/03/09,10:00:00\r\n2147483648\r\n" + good2,
         both, 1},
        {"an overlong line", std::string(good1) + std::string(5000, '7') + "\r\n" + good2, both, 1},
        {"a start line hidden in an overlong line",
         std::string(good1) + std::string(1500, ' ') + "2009/03/09,10:00:00\r\n5\r\n" + good2, both, 1},
        {"a torn last record", std::string(good1) + good2 + "2009/03/1", both, 1},
        {"NUL bytes", std::string(good1) + std::string("20\0 9\r\n", 7) + good2, both, 1},
        {"a lone CR ends no line", std::string(good1) + "2009/03/09,10:00:00\r5\r\n" + good2, both, 1},
        {"CRs before the LF belong to the line end", "2009/03/07,21:05:09\r\r\n3723\r\r\n" + std::string(good2), both,
         0},
        {"short fields and trailing blanks as a hand edit may leave them", "2009/3/7,21:5:9 \n3723\t\n",
         "2009-3-7 21:5:9=3723;", 0},
        {"a negative duration counts as 0 s", "2009/03/07,21:05:09\r\n-50\r\n", "2009-3-7 21:5:9=0;", 0},
        {"empty file", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::string path = dir / "t.Log";
        TempDir::WriteBytes(path, c.text);
        CPlayHistory h;
        int count = h.ReadLog(path);
        EXPECT_EQ(Sessions(h), c.sessions);
        EXPECT_EQ(count, static_cast<int>(h.m_Session.size()));
        std::vector<CPlayTime> sessions;
        size_t skipped = 99;
        ASSERT_EQ(PlayLogFile::Read(path, sessions, &skipped), 0);
        EXPECT_EQ(skipped, c.skipped);
        // The editor cuts the same plays out of the bytes and puts them back unchanged.
        std::vector<RawPlayLog::Record> records = RawPlayLog::Split(c.text);
        CPlayHistory split;
        for (const RawPlayLog::Record& record : records)
            if (record.IsPlay())
                split.m_Session.push_back(record.time);
        EXPECT_EQ(Sessions(split), c.sessions);
        EXPECT_EQ(RawPlayLog::Join(records), c.text);
    }
}

// Whatever the log's end looks like, an appended play starts on a line of its own in the
// same write and is read back as the last session.
TEST(PlayLog, AppendLeavesEveryRecordWhole)
{
    const std::string old = "2009/03/07,21:05:09\r\n3723";
    const std::string added = "2009/03/08,10:00:00\r\n60\r\n";
    const std::string both = "2009-3-7 21:5:9=3723;2009-3-8 10:0:0=60;";
    struct Case {
        const char* what;
        std::string log;
        std::string written;  // what the log holds after the append
        std::string sessions;
    } cases[] = {
        {"last line without its end", old, old + "\r\n" + added, both},
        {"last line ending in a lone CR", old + "\r", old + "\r\n" + added, both},
        {"LF line ends", old + "\n", old + "\n" + added, both},
        {"a start line without its duration", old + "\r\n2009/03/07,23:00:00\r\n",
         old + "\r\n2009/03/07,23:00:00\r\n" + added, both},
        {"a torn start line", old + "\r\n2009/03/0", old + "\r\n2009/03/0\r\n" + added, both},
        {"empty log", "", added, "2009-3-8 10:0:0=60;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::string path = dir / "t.Log";
        TempDir::WriteBytes(path, c.log);
        CPlayHistory h;
        EXPECT_EQ(h.AppendLog(path, MakeSession(2009, 3, 8, 10, 0, 0, 60)), 1);
        EXPECT_EQ(TempDir::ReadBytes(path), c.written);
        CPlayHistory read;
        read.ReadLog(path);
        EXPECT_EQ(Sessions(read), c.sessions);
    }
}

TEST(PlayLog, AppendNeverCreatesTheLog)
{
    TempDir dir;
    ScriptedMessenger messenger;
    CPlayHistory h;
    std::string path = dir / "gone.Log";
    EXPECT_EQ(h.AppendLog(path, MakeSession(2009, 3, 7, 21, 5, 9, 60)), 0);
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0],
              "ERROR[" + std::to_string(ENOENT) + "] : ログファイル<" + path +
                  ">ファイルを開けませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.");
}

// A play that cannot be flushed to the disk is cut off the log again; a cut that fails
// too is told with the log that keeps the partial record.
TEST(PlayLog, AFailedAppendIsCutBackOrTheLeftoverIsTold)
{
    for (bool cutFails : {false, true}) {
        SCOPED_TRACE(cutFails ? "the cut fails" : "the cut works");
        TempDir dir;
        ScriptedMessenger messenger;
        std::string path = dir / "t.Log";
        const std::string old = "2009/03/07,21:05:09\r\n60\r\n";
        TempDir::WriteBytes(path, old);
        CPlayHistory h;
        RecordingFileSyscalls calls;
        calls.refuse = [&](const std::string& call, const std::string&) {
            return call == "datasync" || (cutFails && call == "truncate") ? EIO : 0;
        };

        EXPECT_EQ(h.AppendLog(path, MakeSession(2009, 3, 8, 21, 5, 9, 60)), 0);

        EXPECT_EQ(TempDir::ReadBytes(path) != old, cutFails);
        ASSERT_EQ(messenger.messages.size(), cutFails ? 2u : 1u);
        EXPECT_NE(messenger.messages.back().find(path), std::string::npos);
    }
}

TEST(PlayLog, ResetEmptiesOrReportsTheFailure)
{
    TempDir dir;
    ScriptedMessenger messenger;
    std::string path = dir / "t.Log";
    TempDir::WriteBytes(path, "2009/03/07,21:05:09\r\n60\r\n");
    CPlayHistory h;
    ASSERT_EQ(h.ReadLog(path), 1);
    EXPECT_EQ(h.ResetLog(path), 0);
    EXPECT_EQ(TempDir::ReadBytes(path), "");
    EXPECT_EQ(h.m_nSessionCount, 0);
    EXPECT_EQ(h.Figures().m_Total.m_nElapsed, 0);
    EXPECT_TRUE(messenger.messages.empty());

    std::string bad = dir / "no-such-folder/t.Log";
    EXPECT_EQ(h.ResetLog(bad), -1);
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0],
              "ERROR[" + std::to_string(ENOENT) + "] : ログファイル<" + bad +
                  ">ファイルを開けませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.");
}

// --- An append on a full disk -------------------------------------------------------
// The parent test runs this program again in a private mount namespace with a 64 KiB
// tmpfs mounted on a fresh folder; the child (a disabled test, run only that way) fills
// the disk and appends.

constexpr const char* kFullDiskDir = "ZARN2_FULL_DISK_DIR";

// Fills the file system holding `dir` to the last byte.
void FillDisk(const std::string& dir)
{
    std::FILE* f = std::fopen((dir + "/filler").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::setvbuf(f, nullptr, _IONBF, 0);
    std::string page(4096, 'x');
    while (std::fwrite(page.data(), 1, page.size(), f) == page.size()) {
    }
    while (std::fwrite("x", 1, 1, f) == 1) {
    }
    std::fclose(f);
}

TEST(PlayLogFullDisk, DISABLED_Child)
{
    const char* dir = std::getenv(kFullDiskDir);
    ASSERT_NE(dir, nullptr);
    std::string path = std::string(dir) + "/t.Log";
    ScriptedMessenger messenger;
    CPlayHistory h;
    ASSERT_EQ(h.ResetLog(path), 0);
    // 151 records of 27 bytes end 19 bytes short of a page, so the next record needs a
    // new page the full disk cannot give: the write falls short after 19 bytes.
    const CPlayTime session = MakeSession(2009, 3, 7, 21, 5, 9, 3723);
    for (int i = 0; i < 151; ++i)
        ASSERT_EQ(h.AppendLog(path, session), i + 1);
    FillDisk(dir);
    std::string before = TempDir::ReadBytes(path);
    ASSERT_EQ(before.size(), 151u * 27u);

    EXPECT_EQ(h.AppendLog(path, session), 0);
    std::string after = TempDir::ReadBytes(path);
    EXPECT_TRUE(after == before) << "log of " << after.size() << " bytes instead of " << before.size();
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_NE(messenger.messages[0].find("ERROR[" + std::to_string(ENOSPC) + "]"), std::string::npos);
    EXPECT_NE(messenger.messages[0].find(path), std::string::npos);

    // Not a byte fits now: the write fails outright, and the log is still whole.
    TempDir::WriteBytes(std::string(dir) + "/filler2", "");
    FillDisk(dir);
    EXPECT_EQ(h.AppendLog(path, session), 0);
    after = TempDir::ReadBytes(path);
    EXPECT_TRUE(after == before) << "log of " << after.size() << " bytes instead of " << before.size();
    CPlayHistory read;
    EXPECT_EQ(read.ReadLog(path), 151);
}

std::string SelfPath()
{
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// Runs `command` through the shell; its output and whether it exited with 0.
bool RunShell(const std::string& command, std::string& output)
{
    std::FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
        output.append(buffer, n);
    return ::pclose(p) == 0;
}

TEST(PlayLogFullDisk, AppendLeavesTheLogWhole)
{
    const char* ci = std::getenv("CI");
    bool mustRun = ci && std::string(ci) == "true";
    TempDir dir;
    std::string mount = "mount -t tmpfs -o size=64k tmpfs '" + dir.Path() + "'";
    std::string probe;
    if (::geteuid() != 0 || !RunShell("unshare -m sh -c \"" + mount + "\"", probe)) {
        if (mustRun)
            FAIL() << "a private tmpfs is needed for this test (root and unshare): " << probe;
        GTEST_SKIP() << "needs root and unshare for a private tmpfs: " << probe;
    }
    std::string output;
    bool ok = RunShell("unshare -m sh -c \"" + mount + " && " + kFullDiskDir + "='" + dir.Path() +
                      "' exec '" + SelfPath() + "' --gtest_also_run_disabled_tests --gtest_filter=PlayLogFullDisk.DISABLED_Child\"",
                  output);
    EXPECT_TRUE(ok) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

}  // namespace
