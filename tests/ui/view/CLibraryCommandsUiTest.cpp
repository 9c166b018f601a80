// The library commands of the main window on a real library, with scripted dialogs and a
// recording view; the last cases run the real dialogs through the Qt runner.
#include "dialogs/CGroupDlg.h"
#include "dialogs/CMemberDlg.h"
#include "support/ModalDriver.h"
#include "dialogs/CDropEdit.h"
#include "support/ProgramFolder.h"
#include "view/CLibraryCommands.h"
#include "view/CaptionFit.h"
#include "view/IDialogRunner.h"
#include "view/IViewRefresh.h"
#include "view/QtDialogRunner.h"
#include "view/ViewPointers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <deque>
#include <optional>

namespace {

// Answers the dialogs from queues (an empty queue or nullopt cancels) and records every
// dialog shown with what it was shown with.
class ScriptedDialogs final : public IDialogRunner {
public:
    struct Shown {
        std::string kind;
        std::string caption;
        GroupDlgValues group;
        MemberDlgValues member;
    };

    bool RunGroupDlg(const std::string& caption, GroupDlgValues& values) override
    {
        shown.push_back({"group", caption, values, {}});
        std::optional<GroupDlgValues> answer = Next(groupAnswers);
        if (answer)
            values = *answer;
        return answer.has_value();
    }
    bool RunMemberDlg(const std::string& caption, MemberDlgValues& values) override
    {
        shown.push_back({"member", caption, {}, values});
        std::optional<MemberDlgValues> answer = Next(memberAnswers);
        if (answer)
            values = *answer;
        return answer.has_value();
    }
    bool RunMemberMoveDlg(CZarn2Doc* doc, int& destGroup) override
    {
        shown.push_back({"move", "", {}, {}});
        moveDoc = doc;
        std::optional<int> answer = Next(moveAnswers);
        if (answer)
            destGroup = *answer;
        return answer.has_value();
    }
    void RunGroupOrderDlg(CZarn2Doc* doc) override
    {
        shown.push_back({"group order", "", {}, {}});
        if (onOrder)
            onOrder(doc);
    }
    void RunMemberOrderDlg(CZarn2Doc* doc) override
    {
        shown.push_back({"member order", "", {}, {}});
        if (onOrder)
            onOrder(doc);
    }

    std::vector<Shown> shown;
    std::deque<std::optional<GroupDlgValues>> groupAnswers;
    std::deque<std::optional<MemberDlgValues>> memberAnswers;
    std::deque<std::optional<int>> moveAnswers;
    std::function<void(CZarn2Doc*)> onOrder;
    CZarn2Doc* moveDoc = nullptr;

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// Records the refresh steps in order.
class RecordingView final : public IViewRefresh {
public:
    int FillGroupList() override
    {
        steps.push_back("groups");
        return 0;
    }
    int FillMemberList() override
    {
        steps.push_back("titles");
        return 0;
    }
    void UpdateStatistics() override { steps.push_back("stats"); }
    void SetGroupSelectionMark(int row) override { steps.push_back("group mark " + std::to_string(row)); }
    void SetMemberSelectionMark(int row) override { steps.push_back("title mark " + std::to_string(row)); }
    std::vector<std::string> steps;
};

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

Q_DECLARE_METATYPE(Command)

class CLibraryCommandsUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duplicateGenreNameShowsDialogAgainThenCancelLeavesLibrary();
    void refusedGenreNameShowsDialogAgain();
    void addGenreBecomesCurrent();
    void editingOnlyPlayModeSkipsDuplicateTest();
    void renameToUsedNameShowsDialogAgain();
    void droppedFilesOpenDialogOnceForFirst();
    void addTitleDuplicateAndRefusedNames();
    void editTitleKeepsNameWithoutDuplicateTest();
    void preconditions_data();
    void preconditions();
    void busyCommandsDoNothing();
    void moveMakesDestinationCurrent();
    void cancelledMoveStillRefreshes();
    void deleteGenreAsksAndActsOnCurrent();
    void deleteAllAsksOnlyWithTitles();
    void deleteTitleAndResetHistoryAskNothing();
    void reorderCommandsSaveAndRedraw();
    void iconSizeCommandsAndStates();
    void captionsShortenedAtCharacterBoundary_data();
    void captionsShortenedAtCharacterBoundary();
    void realGenreDialogShownAgainWithTypedName();
    void realTitleDialogForDroppedFile();
};

void CLibraryCommandsUiTest::duplicateGenreNameShowsDialogAgainThenCancelLeavesLibrary()
{
    Bench b;
    b.f.AddGenre("A", 1);
    b.f.AddGenre("B", 0);
    b.f.messenger.Clear();
    std::string listBefore = b.f.ListFile();
    b.dialogs.groupAnswers = {GroupDlgValues{"A", 1}, std::nullopt};

    b.commands.OnGroupAdd();

    QCOMPARE(b.dialogs.shown.size(), size_t(2));
    QCOMPARE(b.dialogs.shown[0].caption, std::string("ジャンルの作成"));
    QCOMPARE(b.dialogs.shown[0].group.name, std::string("新規ジャンル"));
    QCOMPARE(b.dialogs.shown[0].group.playMode, 0);
    QCOMPARE(b.dialogs.shown[1].group.name, std::string("A"));  // the user's input again
    QCOMPARE(b.dialogs.shown[1].group.playMode, 1);
    QCOMPARE(b.Messages(), std::vector<std::string>{"グループ名 [A] が重複しています."});
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "B"}));
    QCOMPARE(b.Doc().m_nCurrGroup, 1);
    QCOMPARE(b.f.ListFile(), listBefore);
    QVERIFY(b.view.steps.empty());
}

void CLibraryCommandsUiTest::refusedGenreNameShowsDialogAgain()
{
    Bench b;
    b.f.AddGenre("A", 0);
    // A leftover folder of that name keeps the genre from being created.
    std::filesystem::create_directory(b.f.app.m_szDataDir + "/Left");
    b.dialogs.groupAnswers = {GroupDlgValues{"a/b", 0}, GroupDlgValues{"Left", 0},
                              GroupDlgValues{"OK", 0}};

    b.commands.OnGroupAdd();

    QCOMPARE(b.dialogs.shown.size(), size_t(3));
    QCOMPARE(b.dialogs.shown[1].group.name, std::string("a/b"));
    QCOMPARE(b.dialogs.shown[2].group.name, std::string("Left"));
    QCOMPARE(b.Messages().size(), size_t(2));  // the library's own refusals
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "OK"}));
}

void CLibraryCommandsUiTest::addGenreBecomesCurrent()
{
    Bench b;
    b.dialogs.groupAnswers = {GroupDlgValues{"ロールプレイング", 1}};
    b.commands.OnGroupAdd();
    QCOMPARE(b.f.GroupNames(), std::vector<std::string>{"ロールプレイング"});
    QCOMPARE(b.Doc().m_nCurrGroup, 0);
    QCOMPARE(b.Doc().m_Group[0].m_nPlayMode, 1);
    QCOMPARE(b.view.steps, (Steps{"groups", "titles", "stats"}));
    QVERIFY(b.Messages().empty());
}

void CLibraryCommandsUiTest::editingOnlyPlayModeSkipsDuplicateTest()
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 2);
    b.dialogs.groupAnswers = {GroupDlgValues{"B", 1}};
    b.commands.OnGroupEdit();
    QCOMPARE(b.dialogs.shown.size(), size_t(1));
    QCOMPARE(b.dialogs.shown[0].caption, std::string("ジャンルの編集"));
    QCOMPARE(b.dialogs.shown[0].group.name, std::string("B"));
    QCOMPARE(b.dialogs.shown[0].group.playMode, 0);
    QVERIFY(b.Messages().empty());
    QCOMPARE(b.Doc().m_Group[1].m_nPlayMode, 1);
    QCOMPARE(b.f.MemberNames(), (std::vector<std::string>{"B-0", "B-1"}));
    QCOMPARE(b.view.steps, (Steps{"groups", "titles", "stats"}));
}

void CLibraryCommandsUiTest::renameToUsedNameShowsDialogAgain()
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 0);
    b.dialogs.groupAnswers = {GroupDlgValues{"A", 0}, GroupDlgValues{"C", 0}};
    b.commands.OnGroupEdit();
    QCOMPARE(b.dialogs.shown.size(), size_t(2));
    QCOMPARE(b.Messages(), std::vector<std::string>{"グループ名 [A] が重複しています."});
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "C"}));
}

void CLibraryCommandsUiTest::droppedFilesOpenDialogOnceForFirst()
{
    Bench b;
    b.f.AddGenre("G", 0);
    b.commands.OnDropFiles({"/games/one.exe", "/games/two.exe", "/games/three.exe"});
    QCOMPARE(b.dialogs.shown.size(), size_t(1));
    const auto& shown = b.dialogs.shown[0];
    QCOMPARE(shown.caption, std::string("ジャンル[ G ]へドロップされたタイトルの編集"));
    QCOMPARE(shown.member.name, std::string());
    QCOMPARE(shown.member.exePath, std::string("/games/one.exe"));
    QCOMPARE(shown.member.iconPath, std::string("/games/one.exe"));
    QCOMPARE(shown.member.autoTiming, 1);
    QCOMPARE(shown.member.useMedia, 0);
    QVERIFY(b.f.MemberNames().empty());  // cancelled
    QVERIFY(b.view.steps.empty());

    b.dialogs.memberAnswers = {MemberDlgValues{"One", "/games/one.exe", "/games/one.exe", 1, 0}};
    b.commands.OnDropFiles({"/games/one.exe"});
    QCOMPARE(b.f.MemberNames(), std::vector<std::string>{"One"});
    QCOMPARE(b.view.steps, (Steps{"titles", "stats"}));
}

void CLibraryCommandsUiTest::addTitleDuplicateAndRefusedNames()
{
    Bench b;
    b.f.AddGenre("G", 2);
    b.f.messenger.Clear();
    MemberDlgValues dup{"G-0", "/x", "/x", 0, 1};
    MemberDlgValues bad{"a/b", "/x", "/x", 1, 0};
    MemberDlgValues badPath{"Fine", "/x\n", "/x", 1, 0};
    b.dialogs.memberAnswers = {dup, bad, badPath, std::nullopt};
    b.commands.OnMemberAdd();
    QCOMPARE(b.dialogs.shown.size(), size_t(4));
    QCOMPARE(b.dialogs.shown[0].caption, std::string("ジャンル[ G ]へのタイトル追加"));
    QCOMPARE(b.dialogs.shown[0].member.name, std::string());
    QCOMPARE(b.dialogs.shown[0].member.autoTiming, 1);
    QCOMPARE(b.dialogs.shown[1].member.name, std::string("G-0"));  // shown again as typed
    QCOMPARE(b.dialogs.shown[1].member.useMedia, 1);
    QCOMPARE(b.dialogs.shown[2].member.name, std::string("a/b"));
    QCOMPARE(b.dialogs.shown[3].member.exePath, std::string("/x\n"));
    QCOMPARE(b.Messages().size(), size_t(3));
    QCOMPARE(b.Messages()[0], std::string("メンバー名 [G-0] が重複しています."));
    QCOMPARE(b.f.MemberNames(), (std::vector<std::string>{"G-0", "G-1"}));
    QVERIFY(b.view.steps.empty());
}

void CLibraryCommandsUiTest::editTitleKeepsNameWithoutDuplicateTest()
{
    Bench b;
    b.f.AddGenre("G", 2);
    b.Doc().SetCurrMember(1);
    b.dialogs.memberAnswers = {MemberDlgValues{"G-1", "/new/g", "/new/i", 0, 1}};
    b.commands.OnMemberEdit();
    QCOMPARE(b.dialogs.shown[0].caption, std::string("タイトル[ G-1 ]の編集"));
    QCOMPARE(b.dialogs.shown[0].member.exePath, std::string("/usr/bin/true"));
    QVERIFY(b.Messages().empty());
    const CMember& m = b.Doc().m_Group[0].m_Member[1];
    QCOMPARE(m.m_szExePath, std::string("/new/g"));
    QCOMPARE(m.m_nAutoTiming, 0);
    QCOMPARE(m.m_nUseMedia, 1);
    QCOMPARE(b.view.steps, (Steps{"titles", "stats"}));
}

void CLibraryCommandsUiTest::preconditions_data()
{
    QTest::addColumn<int>("titles");  // -1: no genre at all
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("dialogs");
    using C = CLibraryCommands;
    QTest::newRow("add title, empty library") << -1 << Command(&C::OnMemberAdd) << kCreateGroup << 0;
    QTest::newRow("edit genre, empty library") << -1 << Command(&C::OnGroupEdit) << kCreateGroup << 0;
    QTest::newRow("order genres, empty library") << -1 << Command(&C::OnGroupOrder) << kCreateGroup << 0;
    QTest::newRow("delete genre, empty library") << -1 << Command(&C::OnGroupDelete) << "" << 0;
    QTest::newRow("edit title, empty library") << -1 << Command(&C::OnMemberEdit) << kRegisterMember << 0;
    QTest::newRow("edit title, no titles") << 0 << Command(&C::OnMemberEdit) << kRegisterMember << 0;
    QTest::newRow("order titles") << 0 << Command(&C::OnMemberOrder) << kRegisterMember << 0;
    QTest::newRow("move title") << 0 << Command(&C::OnMemberMove) << kRegisterMember << 0;
    QTest::newRow("reset history") << 0 << Command(&C::OnHistoryReset) << kRegisterMember << 0;
    QTest::newRow("delete title") << 0 << Command(&C::OnMemberDelete) << kRegisterMember << 0;
    QTest::newRow("delete all, empty genre") << 0 << Command(&C::OnMemberDeleteAll) << "" << 0;
    QTest::newRow("add title, empty genre") << 0 << Command(&C::OnMemberAdd) << "" << 1;
    QTest::newRow("add genre, empty library") << -1 << Command(&C::OnGroupAdd) << "" << 1;
}

void CLibraryCommandsUiTest::preconditions()
{
    QFETCH(int, titles);
    QFETCH(Command, command);
    QFETCH(QString, message);
    QFETCH(int, dialogs);
    Bench b;
    if (titles >= 0)
        b.f.AddGenre("G", titles);
    b.f.messenger.Clear();
    (b.commands.*command)();
    std::vector<std::string> expected;
    if (!message.isEmpty())
        expected.push_back(message.toStdString());
    QCOMPARE(b.Messages(), expected);
    QVERIFY(b.f.messenger.questions.empty());
    QCOMPARE(int(b.dialogs.shown.size()), dialogs);
}

void CLibraryCommandsUiTest::busyCommandsDoNothing()
{
    using C = CLibraryCommands;
    const Command commands[] = {&C::OnGroupAdd,     &C::OnGroupEdit,     &C::OnGroupOrder,
                                &C::OnGroupDelete,  &C::OnMemberAdd,     &C::OnMemberEdit,
                                &C::OnMemberOrder,  &C::OnMemberMove,    &C::OnHistoryReset,
                                &C::OnMemberDelete, &C::OnMemberDeleteAll};
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
    QVERIFY(b.dialogs.shown.empty());
    QVERIFY(b.Messages().empty());
    QVERIFY(b.f.messenger.questions.empty());
    QVERIFY(b.view.steps.empty());
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "B"}));
    QCOMPARE(b.f.MemberNames(), std::vector<std::string>{"B-0"});
    QCOMPARE(b.f.ListFile(), listBefore);

    b.commands.OnIconLarge();  // the icon size does not wait for the play
    QCOMPARE(b.f.app.IconSize, 1);
}

void CLibraryCommandsUiTest::moveMakesDestinationCurrent()
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.f.AddGenre("B", 1);
    b.Doc().SetCurrGroup(0);
    b.Doc().SetCurrMember(0);
    b.dialogs.moveAnswers = {1};
    g_pMoveDoc = nullptr;

    b.commands.OnMemberMove();

    QCOMPARE(g_pMoveDoc, b.f.doc.get());
    QCOMPARE(b.dialogs.moveDoc, b.f.doc.get());
    QCOMPARE(b.Doc().m_nCurrGroup, 1);
    QCOMPARE(b.f.MemberNames(), (std::vector<std::string>{"B-0", "A-0"}));
    QCOMPARE(b.Doc().CurrGroup()->m_nCurrMember, 1);
    QCOMPARE(b.Doc().m_Group[0].m_nMemberCount, 1);
    QCOMPARE(b.view.steps, (Steps{"group mark 1", "groups", "title mark 1", "titles"}));
    // The current genre reached the genre list file.
    CZarn2Doc reread(b.f.app);
    reread.OnNewDocument();
    QCOMPARE(reread.m_nCurrGroup, 1);
}

void CLibraryCommandsUiTest::cancelledMoveStillRefreshes()
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.commands.OnMemberMove();
    QCOMPARE(b.f.MemberNames(), (std::vector<std::string>{"A-0", "A-1"}));
    QCOMPARE(b.view.steps, (Steps{"group mark 0", "groups", "title mark 1", "titles"}));
}

void CLibraryCommandsUiTest::deleteGenreAsksAndActsOnCurrent()
{
    Bench b;
    b.f.AddGenre("A", 0);
    b.f.AddGenre("B", 1);
    b.f.AddGenre("C", 0);
    b.Doc().SetCurrGroup(1);
    b.f.messenger.AnswerNext(false);
    b.commands.OnGroupDelete();
    QCOMPARE(b.f.messenger.questions,
             std::vector<std::string>{
                 "ジャンルを削除すると、そこに含まれる全てのタイトルも削除されます. 宜しいですか ?"});
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "B", "C"}));
    QVERIFY(b.view.steps.empty());

    b.f.messenger.AnswerNext(true);
    b.commands.OnGroupDelete();
    QCOMPARE(b.f.GroupNames(), (std::vector<std::string>{"A", "C"}));
    QVERIFY(!std::filesystem::exists(b.f.app.m_szDataDir + "/B"));
    QCOMPARE(b.view.steps, (Steps{"groups", "titles", "stats"}));
    QVERIFY(b.Messages().empty());
}

void CLibraryCommandsUiTest::deleteAllAsksOnlyWithTitles()
{
    Bench b;
    b.f.AddGenre("G", 3);
    b.f.messenger.AnswerNext(false);
    b.commands.OnMemberDeleteAll();
    QCOMPARE(b.f.messenger.questions,
             std::vector<std::string>{"全てのタイトルを削除します. 宜しいですか ?"});
    QCOMPARE(b.f.MemberNames().size(), size_t(3));
    b.f.messenger.AnswerNext(true);
    b.commands.OnMemberDeleteAll();
    QVERIFY(b.f.MemberNames().empty());
    QCOMPARE(b.view.steps, (Steps{"titles", "stats"}));

    // Now empty: nothing is asked or shown.
    b.f.messenger.Clear();
    b.commands.OnMemberDeleteAll();
    QVERIFY(b.f.messenger.questions.empty());
    QVERIFY(b.Messages().empty());
}

void CLibraryCommandsUiTest::deleteTitleAndResetHistoryAskNothing()
{
    Bench b;
    b.f.AddGenre("G", 3);
    b.Doc().SetCurrMember(1);
    std::string log = b.Doc().CurrMember()->m_szLogFile;
    TempDir::WriteBytes(log, "2024/01/02,10:00:00\r\n600\r\n");
    b.commands.OnHistoryReset();
    QCOMPARE(TempDir::ReadBytes(log), std::string());
    b.commands.OnMemberDelete();
    QCOMPARE(b.f.MemberNames(), (std::vector<std::string>{"G-0", "G-2"}));
    QVERIFY(b.f.messenger.questions.empty());
    QCOMPARE(b.view.steps, (Steps{"stats", "titles", "stats"}));
}

void CLibraryCommandsUiTest::reorderCommandsSaveAndRedraw()
{
    Bench b;
    b.f.AddGenre("A", 2);
    b.f.AddGenre("B", 0);
    b.dialogs.onOrder = [](CZarn2Doc* doc) {
        doc->SwapGroups(0, 1);
        doc->m_nCurrGroup = 0;
    };
    b.commands.OnGroupOrder();
    QCOMPARE(b.view.steps, Steps{"groups"});
    CZarn2Doc reread(b.f.app);
    reread.OnNewDocument();
    QCOMPARE(reread.m_Group[0].m_szName, std::string("B"));

    b.view.steps.clear();
    b.Doc().SetCurrGroup(1);
    b.dialogs.onOrder = nullptr;
    b.commands.OnMemberOrder();
    QCOMPARE(b.view.steps, Steps{"titles"});
    QCOMPARE(b.dialogs.shown.back().kind, std::string("member order"));
}

void CLibraryCommandsUiTest::iconSizeCommandsAndStates()
{
    Bench b;
    b.f.app.IconSize = 0;
    QVERIFY(b.commands.IconLargeEnabled());
    QVERIFY(!b.commands.IconSmallEnabled());
    b.commands.OnIconLarge();
    QCOMPARE(b.f.app.IconSize, 1);
    QCOMPARE(b.view.steps, Steps{"titles"});
    QVERIFY(!b.commands.IconLargeEnabled());
    QVERIFY(b.commands.IconSmallEnabled());
    b.commands.OnIconSmall();
    QCOMPARE(b.f.app.IconSize, 0);

    b.f.app.IconSize = 5;  // any other size is large, stored back as 1
    QVERIFY(b.commands.IconSmallEnabled());
    QVERIFY(!b.commands.IconLargeEnabled());
    QCOMPARE(b.f.app.IconSize, 1);
}

void CLibraryCommandsUiTest::captionsShortenedAtCharacterBoundary_data()
{
    QTest::addColumn<int>("asciiBytes");
    QTest::addColumn<int>("kanaChars");
    QTest::addColumn<bool>("shortened");
    // "タイトル[ " is 14 bytes and " ]の編集" 11: 25 bytes around the name.
    QTest::newRow("fits") << 974 << 0 << false;
    QTest::newRow("one byte over") << 975 << 0 << true;
    QTest::newRow("kana fits") << 1 << 324 << false;
    QTest::newRow("kana over") << 0 << 400 << true;
    QTest::newRow("kana over, odd start") << 1 << 400 << true;
    QTest::newRow("kana over, two bytes before") << 2 << 400 << true;
}

void CLibraryCommandsUiTest::captionsShortenedAtCharacterBoundary()
{
    QFETCH(int, asciiBytes);
    QFETCH(int, kanaChars);
    QFETCH(bool, shortened);
    std::string name(static_cast<size_t>(asciiBytes), 'a');
    for (int i = 0; i < kanaChars; ++i)
        name += "カ";
    std::string caption = CaptionFit::Make("タイトル[ ", name, " ]の編集");
    QVERIFY(caption.size() <= CaptionFit::kMaxBytes);
    QVERIFY(QString::fromUtf8(caption.data(), qsizetype(caption.size())).toUtf8().toStdString() ==
            caption);  // valid UTF-8 throughout
    QVERIFY(caption.rfind(" ]の編集") == caption.size() - std::string(" ]の編集").size());
    QCOMPARE(caption.find("…") != std::string::npos, shortened);
    if (!shortened)
        QCOMPARE(caption, "タイトル[ " + name + " ]の編集");
    else
        QVERIFY(caption.size() > CaptionFit::kMaxBytes - 3);
}

void CLibraryCommandsUiTest::realGenreDialogShownAgainWithTypedName()
{
    ProgramFolder f;
    f.LoadDoc();
    f.AddGenre("A", 0);
    f.messenger.Clear();
    RecordingView view;
    QtDialogRunner runner(nullptr, &f.app, nullptr, nullptr);
    CLibraryCommands commands(f.doc.get(), &view, &runner, [] { return false; });
    ModalDriver driver;
    driver.Then([](QWidget* w) {
        auto* dlg = qobject_cast<CGroupDlg*>(w);
        QVERIFY(dlg != nullptr);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("ジャンルの作成"));
        QCOMPARE(dlg->m_pName->text(), QStringLiteral("新規ジャンル"));
        QTest::keyClick(dlg->m_pName, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg->m_pName, QStringLiteral("A"));
        dlg->m_pWithoutHistory->setChecked(true);
        QTest::mouseClick(dlg->m_pOk, Qt::LeftButton);
    });
    QString again;
    bool withoutHistory = false;
    driver.Then([&](QWidget* w) {
        auto* dlg = qobject_cast<CGroupDlg*>(w);
        QVERIFY(dlg != nullptr);
        again = dlg->m_pName->text();
        withoutHistory = dlg->m_pWithoutHistory->isChecked();
        QTest::mouseClick(dlg->m_pCancel, Qt::LeftButton);
    });
    commands.OnGroupAdd();
    QVERIFY(driver.Done());
    QCOMPARE(again, QStringLiteral("A"));
    QVERIFY(withoutHistory);
    QCOMPARE(f.messenger.messages, std::vector<std::string>{"グループ名 [A] が重複しています."});
    QCOMPARE(f.GroupNames(), std::vector<std::string>{"A"});
}

void CLibraryCommandsUiTest::realTitleDialogForDroppedFile()
{
    ProgramFolder f;
    f.LoadDoc();
    f.AddGenre("G", 0);
    RecordingView view;
    QtDialogRunner runner(nullptr, &f.app, nullptr, nullptr);
    CLibraryCommands commands(f.doc.get(), &view, &runner, [] { return false; });
    ModalDriver driver;
    QStringList seen;
    driver.Then([&](QWidget* w) {
        auto* dlg = qobject_cast<CMemberDlg*>(w);
        QVERIFY(dlg != nullptr);
        seen = {dlg->windowTitle(), dlg->m_pName->text(), dlg->m_pExePath->text(),
                dlg->m_pIconPath->text()};
        QTest::keyClicks(dlg->m_pName, QStringLiteral("Dropped"));
        QTest::mouseClick(dlg->m_pOk, Qt::LeftButton);
    });
    commands.OnDropFiles({"/opt/game/run.exe", "/opt/other"});
    QVERIFY(driver.Done());
    QCOMPARE(seen, (QStringList{QStringLiteral("ジャンル[ G ]へドロップされたタイトルの編集"), QString(),
                                QStringLiteral("/opt/game/run.exe"),
                                QStringLiteral("/opt/game/run.exe")}));
    QCOMPARE(f.MemberNames(), std::vector<std::string>{"Dropped"});
    QCOMPARE(f.doc->CurrMember()->m_szIconPath, std::string("/opt/game/run.exe"));
    QCOMPARE(view.steps, (Steps{"titles", "stats"}));
}

QTEST_MAIN(CLibraryCommandsUiTest)
#include "CLibraryCommandsUiTest.moc"
