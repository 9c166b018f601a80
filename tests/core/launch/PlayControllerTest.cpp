#include "app/CZarn2App.h"
#include "launch/CPlayController.h"
#include "launch/CPlayJournal.h"
#include "launch/IMciService.h"
#include "launch/SessionEnd.h"
#include "launch/WaitHelper.h"
#include "launch/PlayMessages.h"
#include "library/CZarn2Doc.h"
#include "platform/FileLock.h"
#include "platform/Format.h"
#include "support/BuiltWaitHelper.h"
#include "support/FakeClock.h"
#include "support/FakeGameClient.h"
#include "support/FakeIdleSource.h"
#include "support/FakeUrlHandlers.h"
#include "support/FakeWineInstall.h"
#include "support/ScriptFiles.h"
#include "support/ScriptedMediaPrompt.h"
#include "support/ScriptedMessenger.h"
#include "support/ScriptedPlayUi.h"
#include "support/ScriptedShellOpen.h"
#include "support/TempDir.h"
#include "support/ZeroWaiter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

using Outcome = CPlayController::Outcome;
using Events = std::vector<std::string>;

namespace {

const std::string kStartFailedTail = " を実行出来ませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";

// A drive that does whatever it is told and always holds a ready medium.
class WillingDrive final : public IMciService {
public:
    int Send(const std::string& command, std::string& answer) override
    {
        commands.push_back(command);
        answer = "true";
        return 0;
    }
    std::string ErrorText(int) const override { return "error"; }
    std::vector<std::string> commands;

private:
    MciService::Override m_install{*this};
};

// One genre with one title whose program is `m_szExePath`, and an empty log.
class PlayControllerTest : public ::testing::Test {
protected:
    PlayControllerTest() : doc(std::make_unique<CZarn2Doc>(app)), play(*doc, app)
    {
        app.Minimize = 1;
        app.LimitMinite = 0;
        app.AutoExit = 0;
        CGroup& group = doc->m_Group[0];
        group.m_szName = "Genre";
        group.m_nMemberCount = 1;
        group.m_nCurrMember = 0;
        doc->m_nGroupCount = 1;
        doc->m_nCurrGroup = 0;
        Title().m_szName = "Title";
        Title().m_szLogFile = dir / "Title.Log";
        TempDir::WriteBytes(Title().m_szLogFile, "");
    }

    CMember& Title() { return doc->m_Group[0].m_Member[0]; }
    std::string Log() { return TempDir::ReadBytes(Title().m_szLogFile); }
    // The seconds of the log's last record (-1 without one).
    int LoggedSeconds()
    {
        std::string log = Log();
        std::string::size_type end = log.rfind("\r\n", log.size() - std::min<size_t>(log.size(), 3));
        return end == std::string::npos ? -1 : std::atoi(log.c_str() + end + 2);
    }
    // A title with automatic timing whose program is a script with `body`.
    void AutomaticTitle(const std::string& body)
    {
        Title().m_nAutoTiming = 1;
        Title().m_szExePath = ScriptFiles::Write(dir / "game.sh", body);
    }
    Outcome PlayRecorded()
    {
        return play.PlayRecorded(busy, [this] {
            ++refreshes;
            EXPECT_TRUE(busy) << "the statistics refresh runs before the flags are cleared";
        });
    }
    Outcome PlayUnrecorded()
    {
        return play.PlayUnrecorded(busy, [this] { ++closes; });
    }
    // The session's end ended every event loop, and would end any new one at once; the
    // application's own loop, run and ended, lets the next ones run again.
    static void LeaveEndedLoops()
    {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    void ExpectFlagsCleared()
    {
        EXPECT_FALSE(busy);
        EXPECT_EQ(app.m_bPlaying, 0);
    }

    BuiltWaitHelper helper;
    TempDir dir;
    CZarn2App app;
    std::unique_ptr<CZarn2Doc> doc;
    CPlayController play;
    ScriptedMessenger messenger;
    ScriptedPlayUi ui;
    bool busy = false;
    int refreshes = 0;
    int closes = 0;
};

}  // namespace

TEST_F(PlayControllerTest, TimedPlayOfTwoSecondsAppendsOneRecord)
{
    AutomaticTitle("sleep 2");
    ui.onMinimize = [this] {
        EXPECT_TRUE(busy);
        EXPECT_EQ(app.m_bPlaying, 1);
    };

    EXPECT_EQ(PlayRecorded(), Outcome::Recorded);

    std::string log = Log();
    ASSERT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    int seconds = LoggedSeconds();
    EXPECT_GE(seconds, 1);
    EXPECT_LE(seconds, 3);
    EXPECT_EQ(ui.events, (Events{"minimize", "restore"}));
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(messenger.messages.empty());
    EXPECT_TRUE(messenger.questions.empty());
    ExpectFlagsCleared();
}

// A title whose program starts another and ends at once: the play lasts until the other
// has ended, unless the user ends it on the waiting dialog, which kills nothing.
TEST_F(PlayControllerTest, PlayLastsUntilTheLastProcessOrTheUsersEnd)
{
    struct Case {
        const char* name;
        bool userEnds;
        int minSeconds;
        int maxSeconds;
    } cases[] = {
        {"waits for the last process", false, 4, 30},
        {"ended on the dialog", true, 0, 3},
    };
    app.Minimize = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AutomaticTitle("sleep 5 & echo $! > child.pid");
        ui.stillRunning.clear();
        ui.endStillRunning = c.userEnds;
        ui.stillRunningClosed = false;

        EXPECT_EQ(PlayRecorded(), Outcome::Recorded);

        EXPECT_GE(LoggedSeconds(), c.minSeconds);
        EXPECT_LE(LoggedSeconds(), c.maxSeconds);
        EXPECT_FALSE(ui.stillRunning.empty());
        EXPECT_TRUE(ui.stillRunningClosed);
        EXPECT_TRUE(ui.events.empty()) << "nothing is minimised without the setting";
        int child = std::atoi(ScriptFiles::WaitForLine(dir / "child.pid").c_str());
        EXPECT_EQ(child > 0 && ::kill(child, 0) == 0, c.userEnds) << "left running only when ended early";
        if (child > 0)
            ::kill(child, SIGTERM);
        ExpectFlagsCleared();
    }
}

// A title whose program only asks a program already running (here a client) to start the
// title's game from the title's folder: the play follows that game; when the game was
// already open, there is nothing to time and the user is told. A client the play starts
// itself (the URL's handler is the client, which was not running yet) is never waited for:
// the play lasts as long as the game it starts, and the client runs on.
TEST_F(PlayControllerTest, AGameStartedElsewhereFromTheTitlesFolderIsFollowed)
{
    struct Case {
        const char* name;
        bool openBefore;
        Outcome outcome;
        int minSeconds;
        int maxSeconds;
        bool clientStartedByThePlay = false;
    } cases[] = {
        {"the game its launcher handed on", false, Outcome::Recorded, 3, 5},
        {"handed to the copy already open", true, Outcome::NotStarted, -1, -1},
        {"the game of a client the play started", false, Outcome::Recorded, 2, 4, true},
    };
    app.Minimize = 0;
    std::filesystem::copy_file("/bin/sleep", dir / "game");
    // A client named as Steam's script is: it starts the game it is asked for (three seconds)
    // and runs on.
    ScriptFiles::Write(dir / "steam", "echo $$ > " + dir / "client.pid" + "\nSteamAppId=${1##*/} sleep 3 &\nsleep 20");
    TempDir::WriteBytes(dir / "steam.desktop", "[Desktop Entry]\nType=Application\nName=S\nExec=" + dir / "steam" + " %u\n");
    FakeUrlHandlers urls;
    urls.handlers["steam"] = {"steam.desktop", dir / "steam.desktop"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeGameClient client;
        TempDir::WriteBytes(Title().m_szLogFile, "");
        messenger.Clear();
        ui.stillRunning.clear();
        if (c.openBefore) {
            client.Ask("program " + dir / "game" + " 30");
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        // The open copy is told by the client, which starts nothing then.
        AutomaticTitle(c.openBefore ? "exit 0" : "echo 'program " + dir / "game" + " 3' > " + client.Fifo() + "; sleep 0.5");
        if (c.clientStartedByThePlay)
            Title().m_szExePath = "steam://rungameid/4321";

        EXPECT_EQ(PlayRecorded(), c.outcome);
        if (c.clientStartedByThePlay) {
            const int started = std::atoi(ScriptFiles::WaitForLine(dir / "client.pid").c_str());
            EXPECT_TRUE(started > 0 && ::kill(started, 0) == 0) << "the client runs on";
            // The client, and the wait helper that still waits for it, in their own group.
            if (const pid_t group = started > 0 ? ::getpgid(started) : -1; group > 1)
                ::kill(-group, SIGKILL);
        }

        EXPECT_GE(LoggedSeconds(), c.minSeconds) << Log();
        EXPECT_LE(LoggedSeconds(), c.maxSeconds) << Log();
        if (c.openBefore) {
            EXPECT_EQ(messenger.messages,
                      Events{"タイトル Title は既に起動しています,\n起動中のものに引き継がれたため, このプレイは記録しません."});
        } else {
            EXPECT_TRUE(messenger.messages.empty());
            // The client may not have started the game by the first look.
            EXPECT_EQ(ui.stillRunning.empty() ? "" : ui.stillRunning.back(),
                      c.clientStartedByThePlay ? "実行中: sleep" : "実行中: game");
            EXPECT_LE(ui.stillRunning.size(), c.clientStartedByThePlay ? 2u : 1u);
        }
        ExpectFlagsCleared();
    }
}

// The idle question comes first (nobody touches anything during the idle rows' play); the
// short-play question then looks at what would be recorded.
TEST_F(PlayControllerTest, ShortOrIdlePlaysAreRecordedOnlyWhenConfirmed)
{
    const std::string shortPlay = "今のプレイ時間は01:30です. 記録しますか ?";
    const std::string idle = "このプレイには操作のない時間が0:01:30ありました. その時間を除いて記録しますか ?";
    struct Case {
        const char* name;
        int autoTiming;
        int limitMinite;
        int idleMinite;
        std::vector<bool> answers;
        std::vector<std::string> questions;
        Outcome outcome;
        const char* logged;
    } cases[] = {
        {"at the limit, automatic", 1, 1, 0, {}, {}, Outcome::Recorded, "90"},
        {"under the limit, Yes", 1, 2, 0, {true}, {shortPlay}, Outcome::Recorded, "90"},
        {"under the limit, No", 1, 2, 0, {false}, {shortPlay}, Outcome::Discarded, nullptr},
        {"manual, under the limit, No", 2, 2, 0, {false}, {shortPlay}, Outcome::Discarded, nullptr},
        {"manual, at the limit", 2, 1, 0, {}, {}, Outcome::Recorded, "90"},
        {"idle left out, then short", 1, 1, 1, {true, true}, {idle, "今のプレイ時間は00:00です. 記録しますか ?"},
         Outcome::Recorded, "0"},
        {"idle kept", 1, 1, 1, {false}, {idle}, Outcome::Recorded, "90"},
        {"manual timing is not watched", 2, 1, 1, {}, {}, Outcome::Recorded, "90"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        FakeIdleSource nobodyThere(clock);
        ScriptedShellOpen shell;
        TempDir::WriteBytes(Title().m_szLogFile, "");
        messenger.Clear();
        messenger.answers.clear();
        ui.events.clear();
        AutomaticTitle("exit 0");
        Title().m_nAutoTiming = c.autoTiming;
        app.LimitMinite = c.limitMinite;
        app.IdleMinite = c.idleMinite;
        for (bool answer : c.answers)
            messenger.AnswerNext(answer);
        // The play lasts 90 s: the clock moves on while the launcher waits.
        ui.onMinimize = [&clock] { clock.Advance(90); };

        EXPECT_EQ(PlayRecorded(), c.outcome);

        EXPECT_EQ(messenger.questions, c.questions);
        EXPECT_EQ(Log(), c.logged ? "2009/03/07,21:05:09\r\n" + std::string(c.logged) + "\r\n" : "");
        Events expected = c.autoTiming == 1 ? Events{"minimize", "restore"} : Events{"minimize", "dialog", "restore"};
        EXPECT_EQ(ui.events, expected);
        EXPECT_EQ(shell.calls.size(), c.autoTiming == 1 ? 0u : 1u);
        ExpectFlagsCleared();
    }
}

// A statistics refresh while the title runs (a heading click) reads the log into the
// title; the play's own session is still the one measured and logged.
TEST_F(PlayControllerTest, ALogReadDuringThePlayLeavesTheSessionIntact)
{
    const std::string earlier = "2008/01/02,12:00:00\r\n2126\r\n";
    for (int autoTiming : {1, 2}) {
        SCOPED_TRACE("timing " + std::to_string(autoTiming));
        FakeClock clock;
        ScriptedShellOpen shell;
        AutomaticTitle("exit 0");
        Title().m_nAutoTiming = autoTiming;
        TempDir::WriteBytes(Title().m_szLogFile, earlier);
        app.LimitMinite = 1;
        messenger.Clear();
        messenger.AnswerNext(true);
        ui.onMinimize = [&] {
            clock.Advance(6);
            EXPECT_EQ(Title().ReadLog(), 1);
        };

        EXPECT_EQ(PlayRecorded(), Outcome::Recorded);

        EXPECT_EQ(Log(), earlier + "2009/03/07,21:05:09\r\n6\r\n");
        EXPECT_EQ(messenger.questions.size(), 1u) << "a 6 s play is short: the question comes";
        EXPECT_EQ(Title().Figures().m_Current.m_nElapsed, 2126) << "the title shows its last logged session";
    }
}

TEST_F(PlayControllerTest, TheJournalIsHeldDuringThePlayAndGoesWithTheRecord)
{
    app.m_szTempDir = dir.Path();
    const std::string journal = CPlayJournal::PathIn(dir.Path());
    for (int autoTiming : {1, 2}) {
        SCOPED_TRACE(autoTiming);
        FakeClock clock;
        ScriptedShellOpen shell;
        AutomaticTitle("exit 0");
        Title().m_nAutoTiming = autoTiming;
        bool seen = false;
        ui.onMinimize = [&] {
            PlayJournalEntry entry;
            seen = PlayJournalText::Parse(TempDir::ReadBytes(journal), entry) && entry.title == "Title";
            FileLock other;
            std::string bytes;
            int error = 0;
            EXPECT_EQ(other.TryClaim(journal, bytes, error), FileLock::Claim::HeldElsewhere);
        };

        EXPECT_EQ(PlayRecorded(), Outcome::Recorded);

        EXPECT_TRUE(seen);
        EXPECT_FALSE(std::filesystem::exists(journal));
    }
}

// The desktop session ends (SIGTERM at log-out, SIGHUP when the session goes) during a
// recorded play or its questions: the answers cut short by the end neither record the play
// nor throw it away; its journal stays, unheld, with the time played up to the signal (the
// measured time once measured) for the next start to offer, and no disc is asked out.
TEST_F(PlayControllerTest, TheSessionsEndLeavesThePlayToTheNextStart)
{
    app.m_szTempDir = dir.Path();
    const std::string journal = CPlayJournal::PathIn(dir.Path());
    WillingDrive drive;
    ZeroWaiter noPause;
    struct Row {
        const char* name;
        int signal;
        const char* title;  // the game script
        int limitMinite;
        bool duringQuestion;  // else during the wait for the title's end
        int seconds;          // in the journal
        size_t questions;
        size_t discPrompts;   // insert, and remove after a play that ended
    } rows[] = {
        // First: a title that ends by itself must not find the games the rows below leave
        // running (the session's end stops no title), or its start reached an open copy.
        {"log-out at the short-play question", SIGTERM, "exit 0", 1, true, 5, 1, 2},
        {"log-out during the play", SIGTERM, "sleep 3", 0, false, 8, 0, 1},
        {"session gone during the play", SIGHUP, "sleep 3", 0, false, 8, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeClock clock;
        ScriptedMediaPrompt prompt;
        prompt.AnswerNext(true);
        TempDir::WriteBytes(Title().m_szLogFile, "");
        messenger.Clear();
        AutomaticTitle(row.title);
        Title().m_nUseMedia = 1;
        app.LimitMinite = row.limitMinite;
        std::optional<SessionEnd> sessionEnd(std::in_place);
        // A message box, like the play's wait, runs an event loop, where the signal is heard.
        auto signalInALoop = [&row] {
            ::raise(row.signal);
            QEventLoop loop;
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);  // no hang when it is not
            loop.exec();
        };
        ui.onMinimize = [&] {
            clock.Advance(row.duringQuestion ? 5 : 8);
            if (!row.duringQuestion)
                QTimer::singleShot(0, signalInALoop);
        };
        messenger.onAsk = [&] {
            if (row.duringQuestion)
                signalInALoop();
        };

        EXPECT_EQ(PlayRecorded(), Outcome::Interrupted);

        EXPECT_EQ(sessionEnd->Requested(), row.signal);
        EXPECT_EQ(messenger.questions.size(), row.questions);
        EXPECT_EQ(Log(), "") << "neither recorded nor asked again";
        EXPECT_EQ(prompt.asked.size(), row.discPrompts) << "no disc asked out as the session ends";
        FileLock nextStart;
        std::string bytes;
        int error = 0;
        ASSERT_EQ(nextStart.TryClaim(journal, bytes, error), FileLock::Claim::Claimed);
        PlayJournalEntry entry;
        ASSERT_TRUE(PlayJournalText::Parse(bytes, entry)) << bytes;
        EXPECT_EQ(entry.seconds, row.seconds);
        EXPECT_EQ(entry.title, "Title");
        ExpectFlagsCleared();
        nextStart.Remove(journal);
        sessionEnd.reset();
        messenger.onAsk = nullptr;
        LeaveEndedLoops();
    }
}

TEST_F(PlayControllerTest, StartThatFailsShowsItsCodeAndRecordsNothing)
{
    ScriptFiles::Write(dir / "unmarked.sh", "exit 0", false);
    // Stand-ins for the wait helper whose report of the start comes after the start's wait
    // has taken the title as running.
    const std::string lateFailure = ScriptFiles::Write(dir / "late-failure", "sleep 1; echo 'failed 2' >&3");
    const std::string lateSilence = ScriptFiles::Write(dir / "late-silence", "sleep 1");
    // Refused before anything starts: no handler for the URL, a hidden desktop entry, a
    // 32-bit Windows program for a Wine without its 32-bit part.
    FakeUrlHandlers urls;
    FakeWineInstall wine{ScriptFiles::Write(dir / "wine", "exit 0"), false};
    TempDir::WriteBytes(dir / "hidden.desktop", "[Desktop Entry]\nType=Application\nExec=sh\nHidden=true\n");
    std::string pe32(0x40 + 26, '\0');
    pe32.replace(0, 2, "MZ");
    pe32[0x3C] = 0x40;
    pe32.replace(0x40, 4, std::string("PE\0\0", 4));
    pe32.replace(0x40 + 24, 2, "\x0b\x01");
    TempDir::WriteBytes(dir / "Game32.exe", pe32);
    const std::string noHandler = Format(PlayMessages::kUrlWithoutHandler, "itch://games/5", "itch");
    const std::string noWine32 = Format(PlayMessages::kNoWine32, (dir / "Game32.exe").c_str());
    const std::string hidden =
        Format(PlayMessages::kEntryRefused, (dir / "hidden.desktop").c_str(), PlayMessages::kEntryHidden);
    struct Case {
        std::string path;
        int autoTiming;
        std::string message;
        std::string helper;  // a stand-in, or the built one
        Events events;
    } cases[] = {
        {dir / "missing.sh", 1, "ERROR[2] : タイトル " + dir / "missing.sh" + kStartFailedTail},
        {dir / "unmarked.sh", 1, "ERROR[13] : タイトル " + dir / "unmarked.sh" + kStartFailedTail},
        {dir / "missing.sh", 2, "ERROR[2] : タイトル " + dir / "missing.sh" + kStartFailedTail},
        {dir / "unmarked.sh", 2, "ERROR[5] : タイトル " + dir / "unmarked.sh" + kStartFailedTail},
        {dir / "slow.sh", 1, "ERROR[2] : タイトル " + dir / "slow.sh" + kStartFailedTail, lateFailure,
         {"minimize", "restore"}},
        {dir / "slow.sh", 1, "ERROR[8] : " + lateSilence + kStartFailedTail,
         lateSilence, {"minimize", "restore"}},
        {"itch://games/5", 1, noHandler},
        {"itch://games/5", 2, noHandler},
        {dir / "hidden.desktop", 1, hidden},
        {dir / "hidden.desktop", 0, hidden},
        {dir / "Game32.exe", 1, noWine32},
        {dir / "Game32.exe", 0, noWine32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " timing " + std::to_string(c.autoTiming) + " " + c.helper);
        messenger.Clear();
        ui.events.clear();
        refreshes = 0;
        Title().m_szExePath = c.path;
        Title().m_nAutoTiming = c.autoTiming;
        WaitHelperLocation standIn{c.helper, 100};
        std::optional<WaitHelper::Override> useStandIn;
        if (!c.helper.empty())
            useStandIn.emplace(standIn);

        EXPECT_EQ(PlayRecorded(), Outcome::NotStarted);

        EXPECT_EQ(messenger.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(ui.events, c.events);
        EXPECT_EQ(refreshes, 0);
        EXPECT_EQ(Log(), "");
        ExpectFlagsCleared();
    }
}

// Wine that ends with an error at once never ran the program: no play to record.
TEST_F(PlayControllerTest, WineThatFailsAtOnceIsReportedNotRecorded)
{
    TempDir::WriteBytes(dir / "Game.exe", "MZ");
    Title().m_szExePath = dir / "Game.exe";
    Title().m_nAutoTiming = 1;
    for (int exitCode : {53, 0}) {
        SCOPED_TRACE(exitCode);
        messenger.Clear();
        FakeWineInstall wine{ScriptFiles::Write(dir / "wine", "exit " + std::to_string(exitCode))};
        const Outcome outcome = PlayRecorded();
        if (exitCode == 0) {
            EXPECT_EQ(outcome, Outcome::Recorded);
            EXPECT_TRUE(messenger.messages.empty());
        } else {
            EXPECT_EQ(outcome, Outcome::NotStarted);
            EXPECT_EQ(messenger.messages,
                      std::vector<std::string>{Format(PlayMessages::kWineFailedEarly, (dir / "Game.exe").c_str(), 0, 53)});
        }
        EXPECT_EQ(LoggedSeconds(), exitCode == 0 ? 0 : -1);
    }
}

TEST_F(PlayControllerTest, NothingHappensWhileAPlayIsInProgress)
{
    ScriptedShellOpen shell;
    Title().m_szExePath = "/games/game";
    Title().m_nAutoTiming = 2;
    Outcome second = Outcome::NotStarted;
    Outcome secondUnrecorded = Outcome::NotStarted;
    ui.onDialog = [&] {
        second = PlayRecorded();
        secondUnrecorded = PlayUnrecorded();
    };

    EXPECT_EQ(PlayRecorded(), Outcome::Recorded);
    EXPECT_EQ(second, Outcome::Busy);
    EXPECT_EQ(secondUnrecorded, Outcome::Busy);
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(refreshes, 1);
    ExpectFlagsCleared();
}

TEST_F(PlayControllerTest, WithoutATitleOnlyTheMessageShows)
{
    ScriptedShellOpen shell;
    doc->m_Group[0].m_nMemberCount = 0;
    doc->m_Group[0].m_nCurrMember = -1;
    EXPECT_EQ(PlayRecorded(), Outcome::NoTitle);
    doc->m_nGroupCount = 0;
    doc->m_nCurrGroup = -1;
    EXPECT_EQ(PlayUnrecorded(), Outcome::NoTitle);

    EXPECT_EQ(messenger.messages, (std::vector<std::string>{"タイトルを登録して下さい..", "タイトルを登録して下さい.."}));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(closes, 0);
    ExpectFlagsCleared();
}

TEST_F(PlayControllerTest, UnrecordedPlayOpensInTheTitlesFolderAndAutoExitCloses)
{
    struct Case {
        std::string path;
        int shellResult;
        int autoExit;
        Outcome outcome;
        std::string folder;
    } cases[] = {
        {"/games/x/game.exe", IShellOpen::kStarted, 0, Outcome::Started, "/games/x"},
        {"/games/x/game.exe", IShellOpen::kStarted, 1, Outcome::Started, "/games/x"},
        {"/games/x/game.exe", IShellOpen::kFileNotFound, 1, Outcome::NotStarted, "/games/x"},
        {"game.exe", IShellOpen::kStarted, 0, Outcome::Started, "game.exe"},  // used whole
        {"/game", IShellOpen::kStarted, 0, Outcome::Started, "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " autoexit " + std::to_string(c.autoExit));
        ScriptedShellOpen shell;
        shell.result = c.shellResult;
        messenger.Clear();
        closes = 0;
        Title().m_szExePath = c.path;
        app.AutoExit = c.autoExit;

        EXPECT_EQ(PlayUnrecorded(), c.outcome);

        EXPECT_EQ(shell.calls, std::vector<std::string>{c.path + "|" + c.folder});
        EXPECT_EQ(closes, c.autoExit);
        EXPECT_EQ(messenger.messages.size(), c.shellResult == IShellOpen::kStarted ? 0u : 1u);
        if (!messenger.messages.empty()) {
            EXPECT_EQ(messenger.messages[0], "ERROR[2] : タイトル " + c.path + kStartFailedTail);
        }
        EXPECT_TRUE(ui.events.empty()) << "no minimising without history";
        ExpectFlagsCleared();
    }
}

TEST_F(PlayControllerTest, DiscTitleAsksForTheDiscAroundThePlay)
{
    WillingDrive drive;
    ZeroWaiter waiter;
    ScriptedMediaPrompt prompt;
    ScriptedShellOpen shell;
    Title().m_szExePath = "/media/cdrom/game";
    Title().m_nUseMedia = 1;
    Title().m_nAutoTiming = 2;
    const std::string insert = "CD/DVD-ROM 挿入|メディアを入れて下さい";
    const std::string remove = "CD/DVD-ROM 排出|メディアを取り出して下さい";

    prompt.AnswerNext(true);
    EXPECT_EQ(PlayUnrecorded(), Outcome::Started);
    EXPECT_EQ(ui.events, Events{"dialog-noclock"});
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{insert, remove}));

    ui.events.clear();
    prompt.asked.clear();
    prompt.AnswerNext(true);
    EXPECT_EQ(PlayRecorded(), Outcome::Recorded);
    EXPECT_EQ(ui.events, (Events{"minimize", "dialog", "restore"}));
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{insert, remove}));

    // Cancelling the insert prompt starts nothing.
    prompt.asked.clear();
    shell.calls.clear();
    EXPECT_EQ(PlayRecorded(), Outcome::NotStarted);
    EXPECT_EQ(prompt.asked, std::vector<std::string>{insert});
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(messenger.messages.empty());
    ExpectFlagsCleared();
}

TEST_F(PlayControllerTest, TimeAtTheDiscPromptsIsNotPlay)
{
    app.m_szTempDir = dir.Path();
    const std::string journal = CPlayJournal::PathIn(dir.Path());
    WillingDrive drive;
    ZeroWaiter waiter;
    ScriptedMediaPrompt prompt;
    ScriptedShellOpen shell;
    for (int timing : {1, 2}) {
        SCOPED_TRACE(timing == 1 ? "automatic timing" : "manual timing");
        FakeClock clock;
        TempDir::WriteBytes(Title().m_szLogFile, "");
        AutomaticTitle("exit 0");
        Title().m_nAutoTiming = timing;
        Title().m_nUseMedia = 1;
        prompt.AnswerNext(true);
        // The play lasts 90 s; the user takes ten minutes at each prompt. The journal has
        // stopped at the play's measure before the removal prompt.
        ui.onMinimize = [&clock] { clock.Advance(90); };
        int journalAtRemoval = -1;
        prompt.onAsk = [&] {
            PlayJournalEntry entry;
            if (prompt.asked.size() == 2 && PlayJournalText::Parse(TempDir::ReadBytes(journal), entry))
                journalAtRemoval = entry.seconds;
            clock.Advance(600);
        };

        EXPECT_EQ(PlayRecorded(), Outcome::Recorded);

        EXPECT_EQ(journalAtRemoval, 90);
        EXPECT_EQ(prompt.asked.size(), 2u);
        EXPECT_EQ(Log(), "2009/03/07,21:05:09\r\n90\r\n");
        prompt.asked.clear();
    }
}
