#include "launch/CTitleProcess.h"
#include "support/BuiltWaitHelper.h"
#include "support/QtCoreEnvironment.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[maybe_unused]] ::testing::Environment* const g_qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A program run as it is, with its arguments, in the folder.
StartedProgram Command(const std::string& program, const std::string& folder, std::vector<std::string> args = {})
{
    args.insert(args.begin(), program);
    return {StartedProgram::Kind::Program, program, std::move(args), folder, {}, {}, {}, {}};
}

int PidIn(const std::string& file)
{
    return std::atoi(ScriptFiles::WaitForLine(file).c_str());
}

bool IsRunning(int pid)
{
    return pid > 0 && ::kill(pid, 0) == 0;
}

// Shell lines that start copies of `sleep` standing in for Wine's server and one of its
// service programs, as the wait helper tells them: the server by its name, the service by
// the Windows path Wine puts first on its command line. Each notes its pid in <name>.pid
// and has taken its final shape before the script goes on.
const std::string kWineStandIns =
    R"sh(settle() { until tr '\0' '\n' < /proc/$1/cmdline | head -n 1 | grep -q "$2"; do sleep 0.05; done; }
cp "$(command -v sleep)" services.exe
cp "$(command -v sleep)" wineserver
./wineserver 90 & echo $! > wineserver.pid; settle $! '^./wineserver'
bash -c 'exec -a "C:\windows\system32\services.exe" ./services.exe 90' & echo $! > services.pid; settle $! '^C:'
)sh";

// A stand-in for a game client the title starts (Steam was not running yet), which starts
// a game of its own; each notes its pid in <name>.pid.
const std::string kClientStandIn =
    R"sh(printf '#!/bin/sh\nsleep 90 & echo $! > game.pid\nwait\n' > steam; chmod +x steam
./steam & echo $! > client.pid
until [ -s game.pid ]; do sleep 0.05; done
)sh";

class TitleProcessTest : public ::testing::Test {
protected:
    BuiltWaitHelper helper;
    TempDir dir;
};

} // namespace

TEST_F(TitleProcessTest, WaitsForTheProgramInItsFolderWithNothingOnItsInput)
{
    // `read` ends at once on the null device; with an open pipe it would wait forever.
    std::string script =
        ScriptFiles::Write(dir / "play.sh", "read line; sleep 1; echo \"$PWD|$#|$1|$2\" > out; exit 3");
    CTitleProcess process;
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(process.Start(Command(script, dir.Path(), {"a b", "%c"})), 0);
    EXPECT_GT(process.HelperPid(), 0);
    EXPECT_EQ(process.Program().target, script);
    EXPECT_FALSE(process.ExitCode());
    process.WaitForExit();
    EXPECT_TRUE(process.HasEnded());
    EXPECT_GE(SecondsSince(start), 0.9);
    EXPECT_EQ(TempDir::ReadBytes(dir / "out"), dir.Path() + "|2|a b|%c\n");
    EXPECT_EQ(process.ExitCode(), 3);
}

// A URL handed to the desktop leaves nothing of the launcher's own to wait for.
TEST_F(TitleProcessTest, AProgramWithoutCommandIsKeptAndHasEnded)
{
    CTitleProcess process;
    StartedProgram handedOver{StartedProgram::Kind::Url, "steam://rungameid/10", {}, dir.Path(),
                              "steam://rungameid/10", "steam.desktop", {}, {}};
    EXPECT_EQ(process.Start(handedOver), 0);
    EXPECT_TRUE(process.HasEnded());
    EXPECT_EQ(process.Program().url, "steam://rungameid/10");
    process.WaitForExit();  // returns at once
}

TEST_F(TitleProcessTest, FailedStartsGiveTheirErrorNumberAndNeverHang)
{
    ScriptFiles::Write(dir / "unmarked.sh", "exit 0", false);
    ScriptFiles::Write(dir / "ok.sh", "exit 0");
    TempDir::WriteBytes(dir / "plain-file", "x");
    TempDir::WriteBytes(dir / "no-format", "x");
    fs::permissions(dir / "no-format", fs::perms::owner_all);
    fs::create_directory(dir / "folder");
    // A stand-in for the helper that takes a while to report: the launcher's events go on
    // meanwhile.
    const std::string slowHelper = ScriptFiles::Write(dir / "slow-helper", "sleep 0.5; echo 'failed 13' >&3");
    struct Case {
        std::string program;
        std::string folder;
        std::string helper;
        int error;
        bool helperFailed;
        bool slow = false;
    } cases[] = {
        {dir / "missing.sh", dir.Path(), BuiltWaitHelper::kPath, ENOENT, false},
        {dir / "unmarked.sh", dir.Path(), BuiltWaitHelper::kPath, EACCES, false},
        {dir / "folder", dir.Path(), BuiltWaitHelper::kPath, EACCES, false},
        {dir / "no-format", dir.Path(), BuiltWaitHelper::kPath, ENOEXEC, false},
        {dir / "ok.sh", dir / "no-such-folder", BuiltWaitHelper::kPath, ENOENT, false},
        {dir / "ok.sh", dir / "plain-file", BuiltWaitHelper::kPath, ENOTDIR, false},
        {"no-such-program-anywhere", dir.Path(), BuiltWaitHelper::kPath, ENOENT, false},
        {dir / "ok.sh", dir.Path(), dir / "no-helper", ENOENT, true},
        {dir / "ok.sh", dir.Path(), dir / "ok.sh", ENOEXEC, true}, // ends without a word
        {dir / "ok.sh", dir.Path(), slowHelper, EACCES, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " in " + c.folder + " through " + c.helper);
        WaitHelperLocation location{c.helper};
        WaitHelper::Override use(location);
        CTitleProcess process;
        QObject scope;
        bool eventsRan = false;
        QTimer::singleShot(100, &scope, [&eventsRan] { eventsRan = true; });
        EXPECT_EQ(process.Start(Command(c.program, c.folder)), c.error);
        EXPECT_TRUE(eventsRan || !c.slow);
        EXPECT_EQ(process.HelperFailed(), c.helperFailed);
        process.WaitForExit(); // returns at once
        EXPECT_TRUE(process.HasEnded());
    }
}

// The title's script ends at once (or nearly); what it left behind decides the play's end.
TEST_F(TitleProcessTest, ThePlayLastsUntilTheLastCountedProcessEnds)
{
    struct Case {
        const char* name;
        std::string script;
        double atLeast;        // seconds the wait lasts, at least
        bool stillRunning;     // something was reported running after the script ended
        bool killWhenReported; // the pid in child.pid gets SIGKILL then
        std::vector<const char*> leftRunning; // files holding the pids of what is left running
    } cases[] = {
        {"fork and exit", "sleep 2 &", 1.5, true, false, {}},
        {"double fork", "( sleep 2 & )", 1.5, true, false, {}},
        {"double fork into a new session", "setsid -f sleep 2", 1.5, true, false, {}},
        {"grandchild outlives its parent", "sh -c 'sleep 2 &'; sleep 0.5", 1.5, true, false, {}},
        {"child killed by a signal", "sleep 90 & echo $! > child.pid", 0, true, true, {}},
        {"only Wine's background is left", kWineStandIns, 0, false, false, {"wineserver.pid", "services.pid"}},
        {"Wine's background and a game", kWineStandIns + "sleep 2 &", 1.5, true, false, {"wineserver.pid", "services.pid"}},
        {"a client it started, and the client's game", kClientStandIn, 0, false, false, {"client.pid", "game.pid"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string script = ScriptFiles::Write(dir / "title.sh", c.script);
        CTitleProcess process;
        std::vector<std::string> reports;
        process.onStillRunning = [&](const std::string& running) {
            reports.push_back(running);
            if (c.killWhenReported && reports.size() == 1)
                ::kill(PidIn(dir / "child.pid"), SIGKILL);
        };
        auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(process.Start(Command(script, dir.Path())), 0);
        process.WaitForExit();
        double seconds = SecondsSince(start);

        EXPECT_TRUE(process.HasEnded());
        EXPECT_GE(seconds, c.atLeast);
        EXPECT_LT(seconds, 60.0);
        EXPECT_EQ(!reports.empty(), c.stillRunning);
        for (const std::string& report : reports) {
            EXPECT_EQ(report.find("services"), std::string::npos) << report;
            EXPECT_EQ(report.find("wineserver"), std::string::npos) << report;
        }
        for (const char* standIn : c.leftRunning) {
            int pid = PidIn(dir / standIn);
            EXPECT_TRUE(IsRunning(pid)) << standIn;
            ::kill(pid, SIGKILL);
        }
    }
}

TEST_F(TitleProcessTest, ProgramOutlivesAnAbandonedWait)
{
    std::string script = ScriptFiles::Write(dir / "long.sh", "sleep 1; echo alive > out");
    {
        CTitleProcess process;
        ASSERT_EQ(process.Start(Command(script, dir.Path())), 0);
    }
    EXPECT_EQ(ScriptFiles::WaitForLine(dir / "out"), "alive\n");
}

// A launcher killed with its whole process group during a play leaves the title running.
TEST_F(TitleProcessTest, TitleOutlivesTheLaunchersKilledProcessGroup)
{
    std::string script = ScriptFiles::Write(dir / "long.sh", "sleep 1; echo alive > out");
    pid_t launcher = ::fork();
    if (launcher == 0) {
        ::setpgid(0, 0);
        CTitleProcess process;
        if (process.Start(Command(script, dir.Path())) == 0)
            TempDir::WriteBytes(dir / "ready", "ready\n");
        ::pause();
        ::_exit(0);
    }
    ASSERT_GT(launcher, 0);
    EXPECT_EQ(ScriptFiles::WaitForLine(dir / "ready"), "ready\n");
    ::kill(-launcher, SIGKILL);
    ::waitpid(launcher, nullptr, 0);
    EXPECT_EQ(ScriptFiles::WaitForLine(dir / "out"), "alive\n");
}
