// The library commands on a real library, with scripted dialogs and a recording view.
#include "commands/CLibraryCommands.h"
#include "history/PlayLogEdit.h"
#include "import/FoundGames.h"
#include "library/PendingChange.h"
#include "support/FakeClock.h"
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"
#include "support/RecordingView.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

namespace {

using Steps = std::vector<std::string>;

// A library, the scripted dialogs, the recording view and the commands on them.
struct Bench {
    Bench() : commands(&f.LoadDoc(), &view, &dialogs, [this] { return busy; }) {}
    ProgramFolder f;
    ScriptedDialogs dialogs;
    RecordingView view;
    bool busy = false;
    CLibraryCommands commands;
    CZarn2Doc& Doc() { return *f.doc; }
    std::vector<std::string>& Messages() { return f.messenger.messages; }
};

using Command = void (CLibraryCommands::*)();

constexpr char kCreateGroup[] = "ジャンルを作成して下さい.";
constexpr char kRegisterMember[] = "タイトルを登録して下さい..";

}  // namespace

TEST(LibraryCommands, DuplicateGenreNameShowsDialogAgainThenCancelLeavesLibrary)
{
    Bench b;
    b.f.AddGenre("A", 1);
    b.f.AddGenre("B", 0);
    b.f.messenger.Clear();
    std::string listBefore = b.f.ListFile();
    b.dialogs.groupAnswers = {GroupDlgValues{"A", 1}, std::nullopt};

    b.commands.OnGroupAdd();

    EXPECT_EQ(b.dialogs.shown.size(), size_t(2));
    EXPECT_EQ(b.dialogs.shown[0].caption, std::string("ジャンルの作成"));
    EXPECT_EQ(b.dialogs.shown[0].group.name, std::string("新規ジャンル"));
    EXPECT_EQ(b.dialogs.shown[0].group.playMode, 0);
    EXPECT_EQ(b.dialogs.shown[1].group.name, std::string("A"));  // the user's input again
    EXPECT_EQ(b.dialogs.shown[1].group.playMode, 1);
    EXPECT_EQ(b.Messages(), std::vector<std::string>{"グループ名 [A] が重複しています."});
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(b.Doc().m_nCurrGroup, 1);
    EXPECT_EQ(b.f.ListFile(), listBefore);
    EXPECT_TRUE(b.view.steps.empty());
}

TEST(LibraryCommands, RefusedGenreNameShowsDialogAgain)
{
    Bench b;
    b.f.AddGenre("A", 0);
    // A leftover folder of that name keeps the genre from being created.
    std::filesystem::create_directory(b.f.app.m_szDataDir + "/Left");
    b.dialogs.groupAnswers = {GroupDlgValues{"a/b", 0}, GroupDlgValues{"Left", 0},
                              GroupDlgValues{"a:b", 0}, GroupDlgValues{"OK", 0}};

    b.commands.OnGroupAdd();

    EXPECT_EQ(b.dialogs.shown.size(), size_t(4));
    EXPECT_EQ(b.dialogs.shown[1].group.name, std::string("a/b"));
    EXPECT_EQ(b.dialogs.shown[2].group.name, std::string("Left"));
    EXPECT_EQ(b.dialogs.shown[3].group.name, std::string("a:b"));
    EXPECT_EQ(b.Messages().size(), size_t(3));  // the library's own refusals
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "OK"}));
}

TEST(LibraryCommands, AddGenreBecomesCurrent)
{
    Bench b;
    b.dialogs.groupAnswers = {GroupDlgValues{"ロールプレイング", 1}};
    b.commands.OnGroupAdd();
    EXPECT_EQ(b.f.GroupNames(), std::vector<std::string>{"ロールプレイング"});
    EXPECT_EQ(b.Doc().m_nCurrGroup, 0);
    EXPECT_EQ(b.Doc().m_Group[0].m_nPlayMode, 1);
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
    EXPECT_TRUE(b.Messages().empty());
}

TEST(LibraryCommands, EditingOnlyPlayModeSkipsDuplicateTest)
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 2);
    b.dialogs.groupAnswers = {GroupDlgValues{"B", 1}};
    b.commands.OnGroupEdit();
    EXPECT_EQ(b.dialogs.shown.size(), size_t(1));
    EXPECT_EQ(b.dialogs.shown[0].caption, std::string("ジャンルの編集"));
    EXPECT_EQ(b.dialogs.shown[0].group.name, std::string("B"));
    EXPECT_EQ(b.dialogs.shown[0].group.playMode, 0);
    EXPECT_TRUE(b.Messages().empty());
    EXPECT_EQ(b.Doc().m_Group[1].m_nPlayMode, 1);
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"B-0", "B-1"}));
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
}

TEST(LibraryCommands, RenameToUsedNameShowsDialogAgain)
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 0);
    b.dialogs.groupAnswers = {GroupDlgValues{"A", 0}, GroupDlgValues{"C", 0}};
    b.commands.OnGroupEdit();
    EXPECT_EQ(b.dialogs.shown.size(), size_t(2));
    EXPECT_EQ(b.Messages(), std::vector<std::string>{"グループ名 [A] が重複しています."});
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "C"}));

    // A genre list that cannot be written (a full disk) leaves the genre renamed on disk
    // and in the library, its record kept for the next start: the list shows the new name.
    RecordingFileSyscalls calls;
    calls.refuse = [](const std::string& call, const std::string& path) {
        return call == "rename" && path.ends_with("Zarn2.Grp") ? ENOSPC : 0;
    };
    b.view.steps.clear();
    b.dialogs.groupAnswers = {GroupDlgValues{"D", 0}};
    b.commands.OnGroupEdit();
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
}

TEST(LibraryCommands, DroppedFilesOpenDialogOnceForFirst)
{
    Bench b;
    b.f.AddGenre("G", 0);
    b.commands.OnDropFiles({"/games/one.exe", "/games/two.exe", "/games/three.exe"});
    EXPECT_EQ(b.dialogs.shown.size(), size_t(1));
    const auto& shown = b.dialogs.shown[0];
    EXPECT_EQ(shown.caption, std::string("ジャンル[ G ]へドロップされたタイトルの編集"));
    EXPECT_EQ(shown.member.name, std::string());
    EXPECT_EQ(shown.member.exePath, std::string("/games/one.exe"));
    EXPECT_EQ(shown.member.iconPath, std::string("/games/one.exe"));
    EXPECT_EQ(shown.member.autoTiming, 1);
    EXPECT_EQ(shown.member.useMedia, 0);
    EXPECT_TRUE(b.f.MemberNames().empty());  // cancelled
    EXPECT_TRUE(b.view.steps.empty());

    b.dialogs.memberAnswers = {MemberDlgValues{"One", "/games/one.exe", "/games/one.exe", 1, 0}};
    b.commands.OnDropFiles({"/games/one.exe"});
    EXPECT_EQ(b.f.MemberNames(), std::vector<std::string>{"One"});
    EXPECT_EQ(b.view.steps, (Steps{"titles", "stats"}));
}

TEST(LibraryCommands, AddTitleDuplicateAndRefusedNames)
{
    Bench b;
    b.f.AddGenre("G", 2);
    b.f.messenger.Clear();
    MemberDlgValues dup{"G-0", "/x", "/x", 0, 1};
    MemberDlgValues bad{"a/b", "/x", "/x", 1, 0};
    MemberDlgValues badPath{"Fine", "/x\n", "/x", 1, 0};
    b.dialogs.memberAnswers = {dup, bad, badPath, std::nullopt};
    b.commands.OnMemberAdd();
    EXPECT_EQ(b.dialogs.shown.size(), size_t(4));
    EXPECT_EQ(b.dialogs.shown[0].caption, std::string("ジャンル[ G ]へのタイトル追加"));
    EXPECT_EQ(b.dialogs.shown[0].member.name, std::string());
    EXPECT_EQ(b.dialogs.shown[0].member.autoTiming, 1);
    EXPECT_EQ(b.dialogs.shown[1].member.name, std::string("G-0"));  // shown again as typed
    EXPECT_EQ(b.dialogs.shown[1].member.useMedia, 1);
    EXPECT_EQ(b.dialogs.shown[2].member.name, std::string("a/b"));
    EXPECT_EQ(b.dialogs.shown[3].member.exePath, std::string("/x\n"));
    EXPECT_EQ(b.Messages().size(), size_t(3));
    EXPECT_EQ(b.Messages()[0], std::string("メンバー名 [G-0] が重複しています."));
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"G-0", "G-1"}));
    EXPECT_TRUE(b.view.steps.empty());
}

TEST(LibraryCommands, EditTitleKeepsNameWithoutDuplicateTest)
{
    Bench b;
    b.f.AddGenre("G", 2);
    b.Doc().SetCurrMember(1);
    b.dialogs.memberAnswers = {MemberDlgValues{"G-1", "/new/g", "/new/i", 0, 1}};
    b.commands.OnMemberEdit();
    EXPECT_EQ(b.dialogs.shown[0].caption, std::string("タイトル[ G-1 ]の編集"));
    EXPECT_EQ(b.dialogs.shown[0].member.exePath, std::string("/usr/bin/true"));
    EXPECT_TRUE(b.Messages().empty());
    const CMember& m = b.Doc().m_Group[0].m_Member[1];
    EXPECT_EQ(m.m_szExePath, std::string("/new/g"));
    EXPECT_EQ(m.m_nAutoTiming, 0);
    EXPECT_EQ(m.m_nUseMedia, 1);
    EXPECT_EQ(b.view.steps, (Steps{"titles", "stats"}));
}

TEST(LibraryCommands, Preconditions)
{
    using C = CLibraryCommands;
    struct Case {
        const char* what;
        int titles;  // -1: no genre at all
        Command command;
        const char* message;  // "" for none
        size_t dialogs;
    } cases[] = {
        {"add title, empty library", -1, &C::OnMemberAdd, kCreateGroup, 0},
        {"edit genre, empty library", -1, &C::OnGroupEdit, kCreateGroup, 0},
        {"order genres, empty library", -1, &C::OnGroupOrder, kCreateGroup, 0},
        {"delete genre, empty library", -1, &C::OnGroupDelete, "", 0},
        {"edit title, empty library", -1, &C::OnMemberEdit, kRegisterMember, 0},
        {"edit title, no titles", 0, &C::OnMemberEdit, kRegisterMember, 0},
        {"order titles", 0, &C::OnMemberOrder, kRegisterMember, 0},
        {"move title", 0, &C::OnMemberMove, kRegisterMember, 0},
        {"reset history", 0, &C::OnHistoryReset, kRegisterMember, 0},
        {"edit plays, no title (the command is disabled)", 0, &C::OnPlayLogEdit, "", 0},
        {"delete title", 0, &C::OnMemberDelete, kRegisterMember, 0},
        {"delete all, empty genre", 0, &C::OnMemberDeleteAll, "", 0},
        {"add title, empty genre", 0, &C::OnMemberAdd, "", 1},
        {"add genre, empty library", -1, &C::OnGroupAdd, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        if (c.titles >= 0)
            b.f.AddGenre("G", c.titles);
        b.f.messenger.Clear();
        (b.commands.*c.command)();
        std::vector<std::string> expected;
        if (*c.message != '\0')
            expected.push_back(c.message);
        EXPECT_EQ(b.Messages(), expected);
        EXPECT_TRUE(b.f.messenger.questions.empty());
        EXPECT_EQ(b.dialogs.shown.size(), c.dialogs);
    }
}

TEST(LibraryCommands, BusyCommandsDoNothing)
{
    using C = CLibraryCommands;
    const Command commands[] = {&C::OnGroupAdd,     &C::OnGroupEdit,     &C::OnGroupOrder,
                                &C::OnGroupDelete,  &C::OnMemberAdd,     &C::OnMemberEdit,
                                &C::OnMemberOrder,  &C::OnMemberMove,    &C::OnHistoryReset,
                                &C::OnMemberDelete, &C::OnMemberDeleteAll, &C::OnPlayLogEdit};
    Bench b;
    b.f.AddGenre("A", 2);
    b.f.AddGenre("B", 1);
    b.f.messenger.Clear();
    std::string listBefore = b.f.ListFile();
    b.busy = true;
    b.f.messenger.AnswerNext(true);
    b.f.messenger.AnswerNext(true);
    for (Command command : commands)
        (b.commands.*command)();
    b.commands.OnDropFiles({"/x"});
    EXPECT_TRUE(b.dialogs.shown.empty());
    EXPECT_TRUE(b.Messages().empty());
    EXPECT_TRUE(b.f.messenger.questions.empty());
    EXPECT_TRUE(b.view.steps.empty());
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(b.f.MemberNames(), std::vector<std::string>{"B-0"});
    EXPECT_EQ(b.f.ListFile(), listBefore);

    b.commands.OnIconLarge();  // the icon size does not wait for the play
    EXPECT_EQ(b.f.app.IconSize, 1);
}

// The play log is read when the dialog opens, written once on OK (the dialog is shown again
// with the user's edits when the write fails) and left alone on Cancel.
TEST(LibraryCommands, EditPlaysWritesTheLogOnOkOnly)
{
    Bench b;
    b.f.AddGenre("G", 1);
    b.f.WriteLog("G", "G-0", {{"2009/03/07,21:05:09", 60}, {"2009/03/08,10:00:00", 70}});
    const std::string before = TempDir::ReadBytes(b.f.LogPath("G", "G-0"));
    auto deleteFirst = [](PlayLogEdit& edit) {
        edit.Delete({0});
        return true;
    };
    b.dialogs.playLogAnswers = {[](PlayLogEdit& edit) {
                                    edit.Delete({0});
                                    return false;
                                },
                                deleteFirst, [](PlayLogEdit&) { return true; }};
    b.commands.OnPlayLogEditFor({1});
    EXPECT_EQ(TempDir::ReadBytes(b.f.LogPath("G", "G-0")), before);
    EXPECT_TRUE(b.view.steps.empty());

    RecordingFileSyscalls calls;
    int refusals = 1;
    calls.refuse = [&](const std::string& call, const std::string&) { return call == "rename" && refusals-- > 0 ? EIO : 0; };
    b.commands.OnPlayLogEditFor({1});

    ASSERT_EQ(b.dialogs.shown.size(), size_t(3));
    EXPECT_EQ(b.dialogs.shown[1].caption, "プレイ記録の編集 - G-0");
    EXPECT_EQ(b.dialogs.shown[1].selected, std::vector<int>{1});
    EXPECT_TRUE(b.dialogs.shown[2].selected.empty());
    EXPECT_EQ(TempDir::ReadBytes(b.f.LogPath("G", "G-0")), "2009/03/08,10:00:00\r\n70\r\n");
    EXPECT_EQ(b.Messages().size(), size_t(1));
    EXPECT_EQ(b.view.steps, std::vector<std::string>{"stats"});
}

TEST(LibraryCommands, MoveMakesDestinationCurrent)
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.f.AddGenre("B", 1);
    b.Doc().SetCurrGroup(0);
    b.Doc().SetCurrMember(0);
    b.dialogs.moveAnswers = {1};

    b.commands.OnMemberMove();

    EXPECT_EQ(b.dialogs.moveDoc, b.f.doc.get());
    EXPECT_EQ(b.Doc().m_nCurrGroup, 1);
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"B-0", "A-0"}));
    EXPECT_EQ(b.Doc().CurrGroup()->m_nCurrMember, 1);
    EXPECT_EQ(b.Doc().m_Group[0].m_nMemberCount, 1);
    EXPECT_EQ(b.view.steps, (Steps{"group mark 1", "groups", "title mark 1", "titles"}));
    // The current genre reached the genre list file.
    CZarn2Doc reread(b.f.app);
    reread.OnNewDocument();
    EXPECT_EQ(reread.m_nCurrGroup, 1);
}

TEST(LibraryCommands, CancelledMoveStillRefreshes)
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.commands.OnMemberMove();
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"A-0", "A-1"}));
    EXPECT_EQ(b.view.steps, (Steps{"group mark 0", "groups", "title mark 1", "titles"}));
}

TEST(LibraryCommands, DeleteGenreAsksAndActsOnCurrent)
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 1);
    b.f.AddGenre("C", 0);
    b.Doc().SetCurrGroup(1);
    b.f.messenger.AnswerNext(false);
    b.commands.OnGroupDelete();
    EXPECT_EQ(b.f.messenger.questions,
             std::vector<std::string>{
                 "ジャンルを削除すると、そこに含まれる全てのタイトルも削除されます. 宜しいですか ?"});
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(b.view.steps.empty());

    b.f.messenger.AnswerNext(true);
    b.commands.OnGroupDelete();
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_TRUE(!std::filesystem::exists(b.f.app.m_szDataDir + "/B"));
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
    EXPECT_TRUE(b.Messages().empty());

    // A deletion the library refuses (a file of the user's in the folder) still refreshes.
    b.view.steps.clear();
    TempDir::WriteBytes(b.f.Data("C/memo.txt"), "mine");
    b.f.messenger.AnswerNext(true);
    b.commands.OnGroupDelete();
    EXPECT_EQ(b.f.GroupNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(b.Messages().size(), 2u);
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
}

TEST(LibraryCommands, DeleteAllAsksOnlyWithTitles)
{
    Bench b;
    b.f.AddGenre("G", 3);
    b.f.messenger.AnswerNext(false);
    b.commands.OnMemberDeleteAll();
    EXPECT_EQ(b.f.messenger.questions,
             std::vector<std::string>{"全てのタイトルを削除します. 宜しいですか ?"});
    EXPECT_EQ(b.f.MemberNames().size(), size_t(3));
    b.f.messenger.AnswerNext(true);
    b.commands.OnMemberDeleteAll();
    EXPECT_TRUE(b.f.MemberNames().empty());
    EXPECT_EQ(b.view.steps, (Steps{"titles", "stats"}));

    // Now empty: nothing is asked or shown.
    b.f.messenger.Clear();
    b.commands.OnMemberDeleteAll();
    EXPECT_TRUE(b.f.messenger.questions.empty());
    EXPECT_TRUE(b.Messages().empty());
}

TEST(LibraryCommands, DeleteTitleAndResetHistoryAskNothing)
{
    Bench b;
    b.f.AddGenre("G", 3);
    b.Doc().SetCurrMember(1);
    std::string log = b.Doc().CurrMember()->m_szLogFile;
    TempDir::WriteBytes(log, "2024/01/02,10:00:00\r\n600\r\n");
    b.commands.OnHistoryReset();
    EXPECT_EQ(TempDir::ReadBytes(log), std::string());
    b.commands.OnMemberDelete();
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"G-0", "G-2"}));
    EXPECT_TRUE(b.f.messenger.questions.empty());
    EXPECT_EQ(b.view.steps, (Steps{"stats", "titles", "stats"}));
}

TEST(LibraryCommands, ReorderCommandsSaveAndRedraw)
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.f.AddGenre("B", 0);
    b.dialogs.onOrder = [](CZarn2Doc* doc) {
        doc->SwapGroups(0, 1);
        doc->m_nCurrGroup = 0;
    };
    b.commands.OnGroupOrder();
    EXPECT_EQ(b.view.steps, Steps{"groups"});
    CZarn2Doc reread(b.f.app);
    reread.OnNewDocument();
    EXPECT_EQ(reread.m_Group[0].m_szName, std::string("B"));

    // The title order is saved when its dialog closes: a later reload keeps it.
    b.view.steps.clear();
    b.Doc().SetCurrGroup(1);
    b.dialogs.onOrder = [](CZarn2Doc* doc) { doc->SwapMembers(0, 1); };
    b.commands.OnMemberOrder();
    EXPECT_EQ(b.view.steps, Steps{"titles"});
    EXPECT_EQ(b.dialogs.shown.back().kind, std::string("member order"));
    ASSERT_EQ(b.Doc().LoadGroupList(), 1);
    ASSERT_EQ(b.Doc().SetCurrGroup(1), 1);
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"A-1", "A-0"}));
}

TEST(LibraryCommands, IconSizeCommandsAndStates)
{
    Bench b;
    b.f.app.IconSize = 0;
    EXPECT_TRUE(b.commands.IconLargeEnabled());
    EXPECT_TRUE(!b.commands.IconSmallEnabled());
    b.commands.OnIconLarge();
    EXPECT_EQ(b.f.app.IconSize, 1);
    EXPECT_EQ(b.view.steps, Steps{"titles"});
    EXPECT_TRUE(!b.commands.IconLargeEnabled());
    EXPECT_TRUE(b.commands.IconSmallEnabled());
    b.commands.OnIconSmall();
    EXPECT_EQ(b.f.app.IconSize, 0);

    b.f.app.IconSize = 5;  // any other size is large, stored back as 1
    EXPECT_TRUE(b.commands.IconSmallEnabled());
    EXPECT_TRUE(!b.commands.IconLargeEnabled());
    EXPECT_EQ(b.f.app.IconSize, 1);
}

TEST(LibraryCommands, ARefusalNoOtherEntryMendsEndsTheDialog)
{
    using C = CLibraryCommands;
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        void (*breakLibrary)(const TempDir& dir);
        Command command;
    } cases[] = {
        {"add genre, list unreadable",
         [](const TempDir& dir) {
             fs::remove(dir / "Zarn2.Grp");
             fs::create_directories(dir / "Zarn2.Grp/x");
         },
         &C::OnGroupAdd},
        {"add title, genre folder a file",
         [](const TempDir& dir) {
             fs::remove_all(dir / "Zarn/G");
             TempDir::WriteBytes(dir / "Zarn/G", "");
         },
         &C::OnMemberAdd},
        {"edit title, genre folder gone", [](const TempDir& dir) { fs::remove_all(dir / "Zarn/G"); },
         &C::OnMemberEdit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        b.f.AddGenre("G", 1);
        c.breakLibrary(b.f.dir);
        b.f.messenger.Clear();
        b.dialogs.groupAnswers = {GroupDlgValues{"New", 0}, GroupDlgValues{"Other", 0}};
        b.dialogs.memberAnswers = {MemberDlgValues{"New", "/x", "/x", 1, 0},
                                   MemberDlgValues{"Other", "/x", "/x", 1, 0}};
        (b.commands.*c.command)();
        EXPECT_EQ(b.dialogs.shown.size(), 1u);
        EXPECT_EQ(b.Messages().size(), 1u);
    }
}

// Another PC (through a synced folder) or another program changes the files while this
// launcher shows them: every rewrite reads the changed files again and puts its own change
// on top, and a change that no longer applies is said and leaves the disk as it is.
TEST(LibraryCommands, ChangesMadeElsewhereComeFirst)
{
    using Names = std::vector<std::string>;
    struct Case {
        const char* what;
        std::function<void(CZarn2Doc&)> elsewhere;  // on genre G, made current there
        std::function<void(Bench&)> here;
        Names titles;                // of G on disk afterwards
        Names groups;                // on disk afterwards
        std::string message;         // "" for none
        size_t questions = 0;
    };
    auto add = [](const char* name) {
        return [name](CZarn2Doc& other) { other.AddMember(name, "/x", "/x", 1, 0); };
    };
    const MemberDlgValues y{"Y", "/y", "/y", 1, 0};
    const Names g{"G-0", "G-1", "G-2"};
    const Case cases[] = {
        {"title added elsewhere, then one here", add("X"),
         [&](Bench& b) {
             b.dialogs.memberAnswers = {y};
             b.commands.OnMemberAdd();
         },
         {"G-0", "G-1", "G-2", "X", "Y"}, {"A", "G"}, ""},
        {"the same name added elsewhere first", add("Y"),
         [&](Bench& b) {
             b.dialogs.memberAnswers = {y, std::nullopt};
             b.commands.OnMemberAdd();
         },
         {"G-0", "G-1", "G-2", "Y"}, {"A", "G"}, "メンバー名 [Y] が重複しています."},
        {"title deleted elsewhere, then renamed here", [](CZarn2Doc& other) { other.CurrGroup()->DeleteMember(2); },
         [&](Bench& b) {
             b.dialogs.memberAnswers = {y};
             b.commands.OnMemberEdit();
         },
         {"G-0", "G-1"}, {"A", "G"}, GoneElsewhereMessage("タイトル", "G-2")},
        {"title added elsewhere, titles reordered here", add("X"),
         [](Bench& b) {
             b.dialogs.onOrder = [](CZarn2Doc* doc) { doc->SwapMembers(0, 2); };
             b.commands.OnMemberOrder();
         },
         {"G-2", "G-1", "G-0", "X"}, {"A", "G"}, ""},
        {"genre added elsewhere, then a genre selected here",
         [](CZarn2Doc& other) { ProgramFolder::AddGenre(other, "C", 0); },
         [](Bench& b) { EXPECT_EQ(b.Doc().SelectGroup(0), 0); }, g, {"A", "G", "C"}, ""},
        {"genre renamed elsewhere, then selected here", [](CZarn2Doc& other) { other.RenameGroup("G2", 0); },
         [](Bench& b) { EXPECT_EQ(b.Doc().SelectGroup(1), -1); }, {}, {"A", "G2"},
         GoneElsewhereMessage("ジャンル", "G")},
        {"title added elsewhere, all deleted here (asked again, no)", add("X"),
         [](Bench& b) {
             b.f.messenger.AnswerNext(true);
             b.commands.OnMemberDeleteAll();
         },
         {"G-0", "G-1", "G-2", "X"}, {"A", "G"}, "", 2},
        {"a play logged elsewhere, the history cleared here (asked, no)",
         [](CZarn2Doc& other) {
             TempDir::WriteBytes(other.CurrMember()->m_szLogFile, "2024/01/02,10:00:00\r\n600\r\n");
         },
         [](Bench& b) {
             b.commands.OnHistoryReset();
             EXPECT_EQ(b.Doc().CurrMember()->m_nSessionCount, 1);
         },
         g, {"A", "G"}, "", 1},
        {"a play's length changed elsewhere in place within one tick, the history cleared here (asked, no)",
         [](CZarn2Doc& other) {
             TempDir::WriteBytes(other.CurrMember()->m_szLogFile, "2024/01/02,10:00:00\r\n600\r\n");
         },
         [](Bench& b) {
             b.Doc().ReadHistory();  // shown as it came
             TempDir::RewriteWithinOneTick(b.Doc().CurrMember()->m_szLogFile, "2024/01/02,10:00:00\r\n601\r\n");
             b.commands.OnHistoryReset();
             EXPECT_EQ(TempDir::ReadBytes(b.Doc().CurrMember()->m_szLogFile), "2024/01/02,10:00:00\r\n601\r\n");
         },
         g, {"A", "G"}, "", 1},
        {"title added elsewhere, then the launcher ends", add("X"), [](Bench& b) { b.Doc().OnCloseDocument(); },
         {"G-0", "G-1", "G-2", "X"}, {"A", "G"}, ""},
        {"a genre put first and a title added to the last genre elsewhere, then a title added here",
         [&](CZarn2Doc& other) {
             add("X")(other);
             ProgramFolder::AddGenre(other, "C", 0);
             other.ApplyGroupOrder({"C"});
         },
         [&](Bench& b) {
             b.dialogs.memberAnswers = {y};
             b.commands.OnMemberAdd();
         },
         {"G-0", "G-1", "G-2", "X", "Y"}, {"C", "A", "G"}, ""},
        {"a title renamed elsewhere in place within one tick of the clock (size, time and inode kept)",
         [](CZarn2Doc&) {},
         [&](Bench& b) {
             b.Doc().ReloadChanged();  // the watch followed what came before
             const std::string file = b.f.Data("G.Zarn");
             std::string bytes = TempDir::ReadBytes(file);
             bytes.replace(bytes.find("G-1\r\n"), 3, "G-9");
             TempDir::RewriteWithinOneTick(file, bytes);
             b.dialogs.memberAnswers = {y};
             b.commands.OnMemberAdd();
         },
         {"G-0", "G-9", "G-2", "Y"}, {"A", "G"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        b.f.AddGenre("A", 1);
        b.f.AddGenre("G", 3);
        b.Doc().ReadHistory();  // shown: G-2's empty log
        b.f.Build([&](CZarn2Doc& other) {
            other.SetCurrGroup(1);
            c.elsewhere(other);
        });
        b.f.messenger.Clear();
        c.here(b);
        EXPECT_EQ(b.Messages(), c.message.empty() ? Names{} : Names{c.message});
        b.f.LoadDoc();  // the files as they are now
        EXPECT_EQ(b.f.GroupNames(), c.groups);
        b.Doc().SetCurrGroup(b.Doc().IndexOfGroup("G"));
        EXPECT_EQ(b.Doc().m_Group[b.Doc().m_nCurrGroup].m_szName == "G" ? b.f.MemberNames() : Names{}, c.titles);
        EXPECT_EQ(b.f.messenger.questions.size(), c.questions);
    }
}

// A change landing after the step that read the files again: between a change's steps, or
// while the new file is flushed. The file is not written over (the message says so), a
// change's record stays, and the next start finishes it on top of the file as it is.
TEST(LibraryCommands, AChangeLandingDuringAWriteIsKept)
{
    using Names = std::vector<std::string>;
    struct Case {
        const char* what;
        const char* call;  // the change lands just before the first such call ("datasync": the flush)
        std::function<void(Bench&)> change;
        std::function<void(Bench&)> command;
        std::string file;  // the one not written over, as the message names it
        bool recordKept;
        Names groups;  // at the next start
        Names titles;  // of G at the next start
    };
    auto addTitle = [](Bench& b) {
        const std::string file = b.f.Data("G.Zarn");
        TempDir::WriteBytes(file, TempDir::ReadBytes(file) + "[Title003]\r\nX\r\n/x\r\n/x\r\n1\r\n0\r\n\r\n");
    };
    const Case cases[] = {
        {"a title added elsewhere once the deleted title's log is gone", "unlink", addTitle,
         [](Bench& b) { b.commands.OnMemberDelete(); }, "G.Zarn ファイル", true, {"A", "G"}, {"G-0", "G-2", "X"}},
        {"a title added elsewhere while the genre file is flushed", "datasync", addTitle,
         [](Bench& b) {
             b.dialogs.memberAnswers = {MemberDlgValues{"Y", "/y", "/y", 1, 0}};
             b.commands.OnMemberAdd();
         },
         "G.Zarn ファイル", false, {"A", "G"}, {"G-0", "G-1", "G-2", "X"}},
        {"the genres reordered elsewhere while the list is flushed on a genre click", "datasync",
         [](Bench& b) {
             std::string list = b.f.ListFile();
             list.replace(list.find("A\r\nG\r\n"), 6, "G\r\nA\r\n");
             TempDir::WriteBytes(b.f.ListPath(), list);
         },
         [](Bench& b) { b.Doc().SelectGroup(0); }, "グループファイル<{list}>", false, {"G", "A"},
         {"G-0", "G-1", "G-2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        b.f.AddGenre("A", 1);
        b.f.AddGenre("G", 3);
        b.Doc().SetCurrMember(1);
        RecordingFileSyscalls calls;
        bool landed = false;
        calls.refuse = [&](const std::string& call, const std::string&) {
            if (call == c.call && !std::exchange(landed, true))
                c.change(b);
            return 0;
        };
        b.f.messenger.Clear();
        c.command(b);
        calls.refuse = nullptr;
        std::string file = c.file;
        if (size_t at = file.find("{list}"); at != std::string::npos)
            file.replace(at, 6, b.f.ListPath());
        EXPECT_EQ(b.Messages(), std::vector<std::string>{ChangedElsewhereMessage(file)});
        EXPECT_EQ(ProgramFolder::Exists(b.f.app.m_szTempDir + "/" + PendingChange::kFileName), c.recordKept);
        b.f.LoadDoc();
        EXPECT_EQ(b.f.GroupNames(), c.groups);
        b.Doc().SetCurrGroup(b.Doc().IndexOfGroup("G"));
        EXPECT_EQ(b.f.MemberNames(), c.titles);
    }
}

// The import of found games: nothing is found again or written before OK; the names shown
// are those registered; a second import shows them registered.
TEST(LibraryCommands, ImportGamesRegistersTheTickedGamesInOneStep)
{
    Bench b;
    b.f.AddGenre("G", 0);
    b.f.doc->AddMember("Portal", "/usr/bin/portal", "", 1, 0);
    b.f.messenger.Clear();
    FoundGames found;
    found.games = {{"Portal", "Steam", "steam://rungameid/400", "", false},
                   {"Mines", "デスクトップ", "/usr/share/applications/mines.desktop", "mines", true},
                   {"Registered", "Lutris", "/usr/bin/portal", "", false}};
    int finds = 0;
    b.commands.SetGameFinder([&] {
        ++finds;
        return found;
    });
    auto tick = [](std::vector<int> games) {
        return [games](const GameImport&, ImportChoice& choice) {
            choice.ticked = games;
            return true;
        };
    };
    b.dialogs.importAnswers = {tick({0, 1})};
    b.commands.OnImportGames();
    ASSERT_EQ(b.dialogs.importPlans.size(), 1u);
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"Portal", "Portal (2)", "Mines"}));
    const CMember& mines = b.Doc().m_Group[0].m_Member[2];
    EXPECT_EQ(mines.m_szExePath, "/usr/share/applications/mines.desktop");
    EXPECT_EQ(mines.m_szIconPath, mines.m_szExePath);
    EXPECT_EQ(b.Doc().m_Group[0].m_nCurrMember, 2);
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
    EXPECT_TRUE(b.Messages().empty()) << b.Messages().front();

    // Cancelled: nothing changes; the games registered now are shown so.
    const std::string file = TempDir::ReadBytes(b.f.Data("G.Zarn"));
    b.dialogs.importAnswers = {std::nullopt};
    b.commands.OnImportGames();
    EXPECT_EQ(TempDir::ReadBytes(b.f.Data("G.Zarn")), file);
    EXPECT_EQ(finds, 2);

    // A log of that name came on disk while the dialog was open: the name would come out
    // otherwise than shown, so the dialog comes again before anything is registered.
    found.games.push_back({"Quake", "Steam", "steam://rungameid/1", "", false});
    b.dialogs.importAnswers = {[&](const GameImport& import, ImportChoice& choice) {
                                   EXPECT_EQ(import.RegisteredAs(0), "G / Portal (2)");
                                   choice.ticked = {3};
                                   choice.shown = import.Plan(choice);
                                   TempDir::WriteBytes(b.f.LogPath("G", "Quake"), "");
                                   return true;
                               },
                               std::nullopt};
    b.commands.OnImportGames();
    EXPECT_EQ(b.dialogs.importPlans.back()[0].name, "Quake (2)");
    ASSERT_EQ(b.Messages().size(), 1u);
    EXPECT_NE(b.Messages()[0].find("登録名を見直しました"), std::string::npos);
    EXPECT_EQ(b.f.MemberNames(), (std::vector<std::string>{"Portal", "Portal (2)", "Mines"}));
}

// The plays of an export file: another program's file is refused with a message; a title
// the library lacks is made when the user leaves it ticked, and the lists are shown anew.
TEST(LibraryCommands, ImportPlaysRefusesOtherFilesAndMakesTheTitlesChosen)
{
    FakeClock clock;
    clock.now = {2024, 1, 1, 0, 0, 0};
    Bench b;
    b.f.AddGenre("G", 1);
    b.f.messenger.Clear();
    const std::string other = b.f.dir / "other.csv";
    const std::string ours = b.f.dir / "plays.csv";
    TempDir::WriteBytes(other, "Name,Start\r\nA,2010-01-01\r\n");
    TempDir::WriteBytes(ours, "\xEF\xBB\xBF"
                              "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n"
                              "G,G-0,2010-01-01T10:00:00+09:00,60\r\nG,新作,2011-01-01T10:00:00+09:00,5\r\n"
                              "H,外,2012-01-01T10:00:00+09:00,5\r\n");
    b.dialogs.exportFiles = {other, ours};
    b.dialogs.playImportAnswers = {[](std::vector<PlayImportRow>& rows) {
        rows[2].create = false;  // H/外 left out
        return true;
    }};
    b.commands.OnImportPlays();
    ASSERT_EQ(b.Messages().size(), 1u);
    EXPECT_NE(b.Messages()[0].find("other.csv"), std::string::npos) << b.Messages()[0];
    EXPECT_TRUE(b.view.steps.empty());

    b.f.messenger.Clear();
    b.commands.OnImportPlays();
    ASSERT_EQ(b.dialogs.playRows.size(), 1u);
    EXPECT_FALSE(b.dialogs.playRows[0][0].missing);
    EXPECT_TRUE(b.dialogs.playRows[0][1].missing && b.dialogs.playRows[0][1].create);
    EXPECT_EQ(TempDir::ReadBytes(b.f.LogPath("G", "G-0")), "2010/01/01,10:00:00\r\n60\r\n");
    EXPECT_EQ(TempDir::ReadBytes(b.f.LogPath("G", "新作")), "2011/01/01,10:00:00\r\n5\r\n");
    EXPECT_EQ(b.f.GroupNames(), std::vector<std::string>{"G"});
    ASSERT_EQ(b.Messages().size(), 1u);
    EXPECT_NE(b.Messages()[0].find("2 件"), std::string::npos) << b.Messages()[0];
    EXPECT_EQ(b.view.steps, (Steps{"groups", "titles", "stats"}));
}
