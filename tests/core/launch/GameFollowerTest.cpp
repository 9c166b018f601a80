#include "launch/CGameFollower.h"
#include "launch/HandOffRules.h"
#include "platform/UserProcesses.h"
#include "support/FakeGameClient.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

using Outcome = CGameFollower::Outcome;

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Waits (5 s at most) until a game with the marks runs, and a little more, so that it
// started before a play that begins now, however loaded the machine.
void WaitForTheGame(const GameMarks& marks)
{
    auto runs = [&marks] {
        UserProcessList processes(0);
        for (UserProcess& process : processes.List()) {
            UserProcesses::Fill(process, marks.EnvKeys());
            if (marks.Matches(process))
                return true;
        }
        return false;
    };
    for (int tries = 0; tries < 100 && !runs(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// A client that was running before each play, short looks, a one-second grace time and a
// hand-over that takes at most 0.3 s.
class GameFollowerTest : public ::testing::Test {
protected:
    HandOffRules rules{1000, 200, 300};
    HandOff::Override useRules{rules};
    FakeGameClient client;
    ScopedEnv runtime{"XDG_RUNTIME_DIR", client.RuntimeDir()};
};

}  // namespace

// The command (a URL handed to the client, a "flatpak run") has ended at once; the play
// then lasts as long as the game the client started, give or take the looks' second.
TEST_F(GameFollowerTest, TheGameAClientStartedIsFollowedToItsEnd)
{
    struct Case {
        const char* name;
        std::vector<std::string> command;
        std::string request;
        Outcome outcome;
        double played;       // seconds the play counts (the game's life), or -1: not followed
        double leftOut;      // seconds left out: before the game started, or the whole search
        const char* line;  // a line the "プレイ中" window shows, or nullptr
        bool askBefore = false;      // the game was open before the play began
        bool stopWhenRunning = false;
        int commandMs = 100;         // how long the command ran
    } cases[] = {
        {"Steam's app id", {"steam://rungameid/4001"}, "steam 4001 1", Outcome::Followed, 1, 0, "実行中: sleep"},
        {"Steam's reaper", {"steam://run/4002"}, "reaper 4002 1", Outcome::Followed, 1, 0, "実行中: reaper"},
        {"a Flatpak instance", {"flatpak", "run", "--branch=stable", "org.example.Game"}, "flatpak org.example.Game 1",
         Outcome::Followed, 1, 0, "実行中: sleep"},
        {"a Lutris game", {"lutris:rungame/fake-quest"}, "lutris Fake-Quest 1", Outcome::Followed, 1, 0, "実行中: sleep"},
        {"started after an update", {"steam://rungameid/4003"}, "steam 4003 1 0.6", Outcome::Followed, 1, 0.6,
         "待機中: Steam のゲーム 4003"},
        {"a process that starts the next", {"steam://rungameid/4004"}, "relay 4004 1", Outcome::Followed, 2, 0,
         "実行中: sleep"},
        {"ended by the user", {"steam://rungameid/4005"}, "steam 4005 30", Outcome::Followed, 0, 0, "実行中: sleep",
         false, true},
        {"another game", {"steam://rungameid/4006"}, "steam 4999 2", Outcome::NotFound, -1, 1,
         "待機中: Steam のゲーム 4006"},
        {"no mark to follow", {"https://example.com/"}, "steam 4007 2", Outcome::NotFound, -1, 0, nullptr},
        {"already open", {"steam://rungameid/4008"}, "steam 4008 30", Outcome::OpenCopy, -1, 0, nullptr, true},
        // A single-instance program passes a second start to its copy that is open.
        {"a program's open copy", {"sleep", "27.31"}, "program sleep 27.31", Outcome::OpenCopy, -1, 0, nullptr, true},
        // A command that ran longer than a hand-over takes was played, though a copy was open.
        {"played beside an open copy", {"steam://rungameid/4009"}, "steam 4009 30", Outcome::NotFound, -1, 1,
         "待機中: Steam のゲーム 4009", true, false, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.askBefore) {
            client.Ask(c.request);
            WaitForTheGame(GameMarks::Of(c.command, ""));
        }
        CGameFollower follower(GameMarks::Of(c.command, ""), UserProcesses::BootMsNow());
        std::vector<std::string> lines;
        follower.onWaiting = [&](const std::string& line) {
            lines.push_back(line);
            if (c.stopWhenRunning && line.rfind("実行中", 0) == 0)
                follower.Stop();
        };
        if (!c.askBefore)
            client.Ask(c.request);
        auto start = std::chrono::steady_clock::now();

        EXPECT_EQ(follower.Run(c.commandMs), c.outcome);

        double seconds = SecondsSince(start);
        double leftOut = follower.LeftOutMs() / 1000.0;
        EXPECT_NEAR(leftOut, c.leftOut, 0.5);
        if (c.played > 0) {
            EXPECT_NEAR(seconds - leftOut, c.played, 0.5) << "the game's life, as the play counts it";
        }
        if (c.stopWhenRunning || c.outcome == Outcome::OpenCopy) {
            EXPECT_LT(seconds, 2.0);
        }
        // The names after "実行中: " are those the processes had at the look: a game caught
        // between its fork and its exec still bears its parent's.
        const std::string want = c.line ? c.line : "";
        const bool shown = std::any_of(lines.begin(), lines.end(), [&want](const std::string& line) {
            return want.rfind("実行中: ", 0) == 0 ? line.rfind("実行中: ", 0) == 0 : line == want;
        });
        EXPECT_EQ(c.line ? shown : lines.empty(), true) << ::testing::PrintToString(lines);
    }
}
