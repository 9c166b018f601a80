// Conflict copies a sync tool leaves beside the library's files: what is recognised as one,
// what each merge makes of the file and its copies, and that a pass done again (after a
// kill, or at the next start) changes nothing and names nothing again.
#include "support/HostileFiles.h"
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include "app/RunFolder.h"
#include "app/Version.h"
#include "platform/Format.h"
#include "platform/FolderListings.h"
#include "support/FakeClock.h"
#include "sync/ConflictCopies.h"
#include "sync/ConflictName.h"
#include "sync/CopySettling.h"
#include "sync/MergeReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char kMark[] = ".sync-conflict-20240305-211503-ABCDEFG";

std::string Plays(const std::vector<std::pair<std::string, int>>& plays)
{
    std::string text;
    for (const auto& [start, seconds] : plays)
        text += start + "\r\n" + std::to_string(seconds) + "\r\n";
    return text;
}

std::string GroupText(const std::vector<std::string>& titles, int currMember = 0)
{
    std::string text = "[PlayMode]\r\n1\r\n\r\n[CurrMember]\r\n" + std::to_string(currMember) + "\r\n\r\n";
    for (size_t i = 0; i < titles.size(); ++i)
        text += Format("[Title%03zu]\r\n", i) + titles[i] + "\r\n/g/" + titles[i] + "\r\n\r\n1\r\n0\r\n\r\n";
    return ProgramFolder::Sjis(text);
}

std::string ListText(const std::vector<std::string>& genres, int curr = 0)
{
    std::string text =
        Format(";;;;;;;;;;;;; Zarn2.Grp For %s ;;;;;;;;;;;;;\r\n\r\n[GroupList]\r\n", g_szVersion);
    for (const std::string& genre : genres)
        text += genre + "\r\n";
    return ProgramFolder::Sjis(text + "\r\n[CurrGroup]\r\n" + std::to_string(curr) + "\r\n\r\n");
}

std::vector<std::string> Numbered(const std::string& prefix, int from, int count)
{
    std::vector<std::string> names;
    for (int i = from; i < from + count; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

// A file written a while ago, as a copy that came before the start: settled at its first
// sighting (nothing is done to what is not a regular file).
void Aged(const std::string& path)
{
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path)))
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
}

// A library of genre "G" with titles "T" and "U" (logs empty), then `files` written over it
// (paths from the program folder; "/" makes a folder there), all written a while ago.
struct Library : ProgramFolder {
    explicit Library(const std::vector<std::pair<std::string, std::string>>& files)
    {
        TempDir::WriteBytes(ListPath(), ListText({"G"}));
        TempDir::WriteBytes(Data("G.Zarn"), GroupText({"T", "U"}));
        std::filesystem::create_directory(Data("G"));
        TempDir::WriteBytes(LogPath("G", "T"), "");
        TempDir::WriteBytes(LogPath("G", "U"), "");
        for (const auto& [path, bytes] : files) {
            if (bytes == "/")
                std::filesystem::create_directory(dir / path);
            else
                TempDir::WriteBytes(dir / path, bytes);
            Aged(dir / path);
        }
    }
    std::string Read(const std::string& path) const { return TempDir::ReadBytes(dir / path); }
};

const std::string kLogT = "Zarn/G/T.Log";
std::string LogCopy(int n = 0)
{
    return "Zarn/G/T" + std::string(kMark) + (n ? std::to_string(n) : "") + ".Log";
}
const std::string kGroupCopy = std::string("Zarn/G") + kMark + ".Zarn";
const std::string kListCopy = std::string("Zarn2") + kMark + ".Grp";

}  // namespace

TEST(ConflictName, TellsCopiesFromLookAlikes)
{
    struct Case {
        const char* name;
        const char* original;
    } cases[] = {
        {"T.sync-conflict-20240305-211503-ABCDEFG.Log", "T.Log"},
        {"Ver.2.sync-conflict-20240305-211503-ABCDEFG.Log", "Ver.2.Log"},
        {"T.sync-conflict-20240305-211503-ABCDEFG.sync-conflict-20240306-080000-XYZ1234.Log", "T.Log"},
        {"Zarn2.sync-conflict-20240305-211503-7QX2M3A.Grp", "Zarn2.Grp"},
        {"T (conflicted copy 2024-03-05 211503).Log", "T.Log"},
        {"T (Hana's conflicted copy 2024-03-05).Log", "T.Log"},
        {"T (Conflicted Copy 2024-03-05 211503).Log", "T.Log"},
        {"T.SYNC-CONFLICT-20240305-211503-ABCDEFG.Log", "T.Log"},
        {"T.Log", ""},
        {"T.sync-conflict-2024-03-05.Log", ""},
        {"T.sync-conflict-20240305-211503-ABCDEFG-notes.txt.Log", ""},
        {"T (copy).Log", ""},
        {".sync-conflict-20240305-211503-ABCDEFG.Log", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConflictName::Original(c.name), c.original) << c.name;
}

TEST(ConflictCopies, MergeTheirFilesAndStayWhenNotWhole)
{
    const std::string early = "2024/03/01,10:00:00", late = "2024/03/09,10:00:00",
                      mid = "2024/03/05,10:00:00";
    const std::string titles130 = GroupText(Numbered("N", 0, 130)), tu = GroupText({"T", "U"});
    const std::string damaged = mid + "\r\n" + Plays({{late, 7}});
    const std::string copyOfCopy = "Zarn/G/T" + std::string(kMark) + kMark + ".Log";
    const std::string iniCopy = "Zarn2" + std::string(kMark) + ".ini",
                      strayCopy = "Zarn/G/Z" + std::string(kMark) + ".Log";
    std::vector<std::string> genres32 = Numbered("G", 0, 31);
    genres32.push_back("H0");
    const std::nullopt_t gone = std::nullopt;
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // written over the library ("/": a folder)
        std::vector<std::pair<std::string, std::optional<std::string>>> expected;  // bytes, or gone
        std::string message;  // a part of the one message; "" for none
    } cases[] = {
        {"plays of both, in start order",
         {{kLogT, Plays({{early, 5}, {late, 7}})}, {LogCopy(), Plays({{mid, 6}, {early, 5}})}},
         {{kLogT, Plays({{early, 5}, {mid, 6}, {late, 7}})}, {LogCopy(), gone}},
         ""},
        {"a copy with nothing new is removed and the log not rewritten",
         {{kLogT, early + "\n5\n"}, {LogCopy(), Plays({{early, 5}})}},
         {{kLogT, early + "\n5\n"}, {LogCopy(), gone}},
         ""},
        {"the same start with another duration is another play",
         {{kLogT, Plays({{early, 5}})}, {LogCopy(), Plays({{early, 9}})}},
         {{kLogT, Plays({{early, 5}, {early, 9}})}, {LogCopy(), gone}},
         ""},
        {"several copies and a copy of a copy, one write",
         {{kLogT, Plays({{late, 7}})}, {LogCopy(1), Plays({{early, 5}})}, {copyOfCopy, Plays({{mid, 6}})}},
         {{kLogT, Plays({{early, 5}, {mid, 6}, {late, 7}})}, {LogCopy(1), gone}, {copyOfCopy, gone}},
         ""},
        {"a copy's damaged records stay with it",
         {{kLogT, Plays({{early, 5}})}, {LogCopy(), damaged}},
         {{kLogT, Plays({{early, 5}, {late, 7}})}, {LogCopy(), damaged}},
         "壊れた記録が 1 件"},
        {"the log's own damaged records are kept in a copy first",
         {{kLogT, "junk\r\n" + Plays({{early, 5}})}, {LogCopy(), Plays({{late, 7}})}},
         {{kLogT, Plays({{early, 5}, {late, 7}})},
          {"Zarn/G/T.Log.bak", "junk\r\n" + Plays({{early, 5}})},
          {LogCopy(), gone}},
         "T.Log.bak"},
        {"a copy that is a folder stays",
         {{kLogT, Plays({{early, 5}})}, {LogCopy(), "/"}},
         {{kLogT, Plays({{early, 5}})}},
         "通常のファイルではありません"},
        {"a title whose name only looks like a copy's is no copy",
         {{"Zarn/G.Zarn", GroupText({"T", std::string("T") + kMark})}, {LogCopy(), Plays({{late, 7}})}},
         {{kLogT, ""}, {LogCopy(), Plays({{late, 7}})}},
         ""},
        {"titles of both, the file's first; play mode and current title its own",
         {{"Zarn/G.Zarn", GroupText({"T", "U"}, 1)}, {kGroupCopy, GroupText({"V", "U", "W"}, 2)}},
         {{"Zarn/G.Zarn", GroupText({"T", "U", "V", "W"}, 1)},
          {kGroupCopy, gone},
          {"Zarn/G/V.Log", ""},
          {"Zarn/G/W.Log", ""}},
         ""},
        {"a genre without its folder gets it with the logs of the titles merged in",
         {{"Zarn2.Grp", ListText({"G", "H"})},
          {"Zarn/H.Zarn", GroupText({"A"})},
          {std::string("Zarn/H") + kMark + ".Zarn", GroupText({"B"})}},
         {{"Zarn/H.Zarn", GroupText({"A", "B"})}, {std::string("Zarn/H") + kMark + ".Zarn", gone}, {"Zarn/H/B.Log", ""}},
         ""},
        {"titles beyond 128 stay in the copy",
         {{"Zarn/G.Zarn", GroupText(Numbered("N", 0, 126))}, {kGroupCopy, titles130}},
         {{"Zarn/G.Zarn", GroupText(Numbered("N", 0, 128))}, {kGroupCopy, titles130}},
         "上限[128]"},
        {"a title name that cannot be used stays in the copy",
         {{kGroupCopy, GroupText({"T", "../x"})}},
         {{"Zarn/G.Zarn", tu}, {kGroupCopy, GroupText({"T", "../x"})}},
         "[../x]"},
        {"genres of both, the list's current genre",
         {{kListCopy, ListText({"H", "G"}, 1)}},
         {{"Zarn2.Grp", ListText({"G", "H"})}, {kListCopy, gone}},
         ""},
        {"genres beyond 32 stay in the copy",
         {{"Zarn2.Grp", ListText(Numbered("G", 0, 31))}, {kListCopy, ListText(Numbered("H", 0, 3))}},
         {{"Zarn2.Grp", ListText(genres32)}, {kListCopy, ListText(Numbered("H", 0, 3))}},
         "上限[32]"},
        {"the settings file's copy is left alone", {{iniCopy, "x"}}, {{iniCopy, "x"}}, ""},
        {"a copy of a file that is not there is left alone", {{strayCopy, "x"}}, {{strayCopy, "x"}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Library library(c.files);
        for (int pass = 0; pass < 2; ++pass) {  // a second pass changes and names nothing
            SCOPED_TRACE(pass);
            MergeConflictCopies(library.app);
            for (const auto& [path, bytes] : c.expected) {
                EXPECT_EQ(ProgramFolder::Exists(library.dir / path), bytes.has_value()) << path;
                if (bytes) {
                    EXPECT_EQ(library.Read(path), *bytes) << path;
                }
            }
            std::vector<std::string> messages = library.TakeMessages();
            if (pass == 0 && !c.message.empty()) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
            } else {
                EXPECT_TRUE(messages.empty()) << messages[0];
            }
        }
    }
}

// What changes during a merge is merged by the next pass, never lost: the log written to
// elsewhere while its merge is flushed is not written over, and a copy changed after it was
// read is not removed (also when it keeps its size and second) and is merged once it has
// settled again. A copy goes only once the merged log's new name is on the disk.
TEST(ConflictCopies, ChangesDuringAMergeAreMergedByTheNextPass)
{
    const std::string early = "2024/03/01,10:00:00", mid = "2024/03/05,10:00:00", late = "2024/03/09,10:00:00";
    struct Case {
        const char* what;
        std::string call;  // the change lands just before this call ("datasync": the merged log's flush)
        std::string path;  // the path it changes, from the program folder ("": any)
        std::function<void(Library&)> change;
        std::string afterOne;  // the log after the first pass (the copy stays)
        std::string afterTwo;  // once the copy has gone
        bool copyChanged = false;  // then it waits a pass more, to settle again
    };
    const Case cases[] = {
        {"nothing changes", "", "", nullptr, Plays({{early, 5}, {late, 7}}), ""},
        {"a play appended to the log while its merge is flushed", "datasync", "",
         [&](Library& l) { TempDir::WriteBytes(l.dir / kLogT, Plays({{early, 5}, {mid, 6}})); },
         Plays({{early, 5}, {mid, 6}}), Plays({{early, 5}, {mid, 6}, {late, 7}})},
        {"a play appended to the copy after it was read", "rename", kLogT,
         [&](Library& l) { TempDir::WriteBytes(l.dir / LogCopy(), Plays({{late, 7}, {mid, 6}})); },
         Plays({{early, 5}, {late, 7}}), Plays({{early, 5}, {mid, 6}, {late, 7}}), true},
        {"the copy rewritten in place within its second, the same size", "rename", kLogT,
         [&](Library& l) {
             TempDir::WriteBytes(l.dir / LogCopy(), Plays({{late, 8}}));
             const timespec times[2] = {{1700000000, 200000000}, {1700000000, 200000000}};
             ::utimensat(AT_FDCWD, (l.dir / LogCopy()).c_str(), times, 0);
         },
         Plays({{early, 5}, {late, 7}}), Plays({{early, 5}, {late, 7}, {late, 8}}), true},
    };
    FakeClock clock;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Library library({{kLogT, Plays({{early, 5}})}, {LogCopy(), Plays({{late, 7}})}});
        const timespec times[2] = {{1700000000, 100000000}, {1700000000, 100000000}};
        ::utimensat(AT_FDCWD, (library.dir / LogCopy()).c_str(), times, 0);
        RecordingFileSyscalls calls;
        bool landed = false;
        calls.refuse = [&](const std::string& call, const std::string& path) {
            if (c.change && call == c.call && (c.path.empty() || path == library.dir / c.path) &&
                !std::exchange(landed, true))
                c.change(library);
            return 0;
        };
        for (int pass = 0; pass < 3; ++pass) {
            SCOPED_TRACE(pass);
            calls.calls.clear();
            calls.paths.clear();
            MergeConflictCopies(library.app);
            const bool stays = c.change && (pass == 0 || (pass == 1 && c.copyChanged));
            clock.Advance(CopySettling::kSettleMs / 1000 + 1);
            EXPECT_EQ(library.Read(kLogT), stays || c.afterTwo.empty() ? c.afterOne : c.afterTwo);
            EXPECT_EQ(ProgramFolder::Exists(library.dir / LogCopy()), stays);
            std::vector<std::string> made;
            for (size_t i = 0; i < calls.calls.size(); ++i)
                made.push_back(calls.calls[i] + " " + calls.paths[i]);
            auto removal = std::find(made.begin(), made.end(), "unlink " + (library.dir / LogCopy()));
            if (removal != made.end()) {
                auto rename = std::find(made.begin(), removal, "rename " + (library.dir / kLogT));
                EXPECT_TRUE(rename == removal ||
                            std::find(rename, removal, "syncfolder " + library.Data("G")) != removal)
                    << "the copy went before the merged log's name was on the disk";
            }
        }
        EXPECT_TRUE(library.TakeMessages().empty());
    }
}

TEST(ConflictCopies, CopiesThatAreNoneOfOurFilesStayUnchangedAndAreNamedOnce)
{
    for (const HostileFile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.what);
        Library library({});
        for (const std::string& copy : {kListCopy, kGroupCopy, LogCopy()}) {
            hostile.Put(library.dir / copy, library.Read(copy == kListCopy    ? "Zarn2.Grp"
                                                         : copy == kGroupCopy ? "Zarn/G.Zarn"
                                                                              : kLogT) +
                                                "x");
            Aged(library.dir / copy);
        }
        std::string list = library.ListFile(), group = library.Read("Zarn/G.Zarn");
        std::vector<std::string> before;
        for (const std::string& copy : {kListCopy, kGroupCopy, LogCopy()})
            before.push_back(Fingerprint(library.dir / copy));
        MergeConflictCopies(library.app);
        std::vector<std::string> messages = library.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        for (const std::string& copy : {kListCopy, kGroupCopy, LogCopy()})
            EXPECT_NE(messages[0].find(copy), std::string::npos) << copy;
        MergeConflictCopies(library.app);
        EXPECT_TRUE(library.TakeMessages().empty());
        EXPECT_EQ(library.ListFile(), list);
        EXPECT_EQ(library.Read("Zarn/G.Zarn"), group);
        EXPECT_EQ(library.Read(kLogT), "");
        std::vector<std::string> after;
        for (const std::string& copy : {kListCopy, kGroupCopy, LogCopy()})
            after.push_back(Fingerprint(library.dir / copy));
        EXPECT_EQ(after, before);
    }
}

TEST(ConflictCopies, AThousandCopiesAreMergedAtStartBeforeTheLibraryLoads)
{
    Library library({{"Zarn2" + std::string(kMark) + ".Grp", ListText({"G", "H"})}});
    TempDir::WriteBytes(library.Data("H.Zarn"), GroupText({}));
    std::filesystem::create_directory(library.Data("H"));
    for (int i = 1; i <= 1000; ++i) {
        TempDir::WriteBytes(library.dir / LogCopy(i), Plays({{"2024/03/01,10:00:00", i}}));
        Aged(library.dir / LogCopy(i));
    }
    CZarn2Doc& doc = library.LoadDoc();
    EXPECT_EQ(library.GroupNames(), (std::vector<std::string>{"G", "H"}));
    ASSERT_EQ(doc.SetCurrGroup(0), 0);
    ASSERT_EQ(doc.SetCurrMember(0), 0);
    ASSERT_GE(doc.ReadHistory(), 0);
    EXPECT_EQ(doc.CurrMember()->m_nSessionCount, 1000);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(library.Data("G")), {}), 2)
        << "only the logs";
    EXPECT_TRUE(library.TakeMessages().empty());
}

// A sync tool that writes a copy in place: the copy is merged only once it has stayed the same
// for a while, with every record it got, and nothing is said while it waits. A copy removed
// by another program after the folder was listed is simply gone.
TEST(ConflictCopies, ACopyIsMergedOnlyOnceItHasSettledAndOneGoneIsNotNamed)
{
    FakeClock clock;
    const std::string first = Plays({{"2024/03/01,10:00:00", 5}}), second = Plays({{"2024/03/02,10:00:00", 6}});
    Library library({});
    const std::string copy = library.dir / LogCopy();
    TempDir::WriteBytes(copy, first);  // written just now
    struct Step {
        const char* what;
        int seconds;             // on the clock since the pass before
        std::string more;        // written to the copy before the pass
        std::int64_t nextInMs;   // when the pass says the copy may have settled; -1 none waits
    } steps[] = {
        {"its first records", 0, "", CopySettling::kSettleMs},
        {"more records a moment later: it waits again", 2, second, CopySettling::kSettleMs},
        {"not yet settled", 2, "", 1000},
        {"settled", 1, "", -1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        clock.Advance(step.seconds);
        if (!step.more.empty())
            TempDir::WriteBytes(copy, first + step.more);
        MergeConflictCopies(library.app);
        EXPECT_EQ(CopySettling::ThisRun().NextSettleInMs(), step.nextInMs);
        EXPECT_EQ(ProgramFolder::Exists(copy), step.nextInMs >= 0);
        EXPECT_TRUE(library.TakeMessages().empty());
    }
    EXPECT_EQ(library.Read(kLogT), first + second);

    TempDir::WriteBytes(copy, first);
    Aged(copy);
    FolderListings listings;
    int error = 0;
    listings.Entries(library.Data("G"), error);
    std::filesystem::remove(copy);  // by another program, after the listing
    MergeConflictCopies(library.app, listings);
    EXPECT_TRUE(library.TakeMessages().empty());

    // A writer that pauses longer than the settling time but keeps the copy open: the copy
    // waits until it is closed and unchanged for the settling time, then gives every record.
    const std::string third = Plays({{"2024/03/03,10:00:00", 7}});
    TempDir::WriteBytes(copy, first);
    Aged(copy);
    const int writer = ::open(copy.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    MergeConflictCopies(library.app);
    EXPECT_TRUE(ProgramFolder::Exists(copy)) << "merged while a process still writes it";
    EXPECT_EQ(CopySettling::ThisRun().NextSettleInMs(), CopySettling::kSettleMs);
    ASSERT_EQ(::write(writer, third.data(), third.size()), static_cast<ssize_t>(third.size()));
    ::close(writer);
    for (int pass = 0; pass < 2; ++pass) {
        clock.Advance(CopySettling::kSettleMs / 1000);
        MergeConflictCopies(library.app);
    }
    EXPECT_FALSE(ProgramFolder::Exists(copy));
    EXPECT_EQ(library.Read(kLogT), first + second + third);
    EXPECT_TRUE(library.TakeMessages().empty());
}

TEST(ConflictCopies, TheListOfNamedCopiesIsNeverWrittenThroughALink)
{
    Library library({{LogCopy(), "\x01noise"}});
    const std::string list = library.app.m_szTempDir + "/" + RunFolder::kKeptCopies;
    const std::string elsewhere = library.dir / "elsewhere";
    TempDir::WriteBytes(elsewhere, "theirs");
    std::filesystem::create_symlink(elsewhere, list);
    for (int pass = 0; pass < 2; ++pass) {  // the list cannot be kept: named at every pass
        SCOPED_TRACE(pass);
        MergeConflictCopies(library.app);
        std::vector<std::string> messages = library.TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(LogCopy()), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find(list), std::string::npos) << messages[0];
    }
    EXPECT_EQ(TempDir::ReadBytes(elsewhere), "theirs");
    EXPECT_TRUE(std::filesystem::is_symlink(list));
}
