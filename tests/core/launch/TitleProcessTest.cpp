#include "launch/CTitleProcess.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Processes and nested event loops need an application object; the first test program
// file that sets one up wins.
class QtCoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "core_launch_tests";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);  // lives until the program ends
    }
};
[[maybe_unused]] ::testing::Environment* const g_qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(TitleProcessTest, WaitsForTheProgramInItsFolderWithNothingOnItsInput)
{
    TempDir dir;
    // `read` ends at once on the null device; with an open pipe it would wait forever.
    std::string script = ScriptFiles::Write(dir / "play.sh", "read line; sleep 1; echo \"$PWD|$#\" > out");
    CTitleProcess process;
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(process.Start(script, dir.Path()), 0);
    process.WaitForExit();
    EXPECT_TRUE(process.HasEnded());
    EXPECT_GE(SecondsSince(start), 0.9);
    EXPECT_EQ(TempDir::ReadBytes(dir / "out"), dir.Path() + "|0\n");
}

TEST(TitleProcessTest, FailedStartsGiveTheirErrorNumberAndNeverHang)
{
    TempDir dir;
    ScriptFiles::Write(dir / "unmarked.sh", "exit 0", false);
    ScriptFiles::Write(dir / "ok.sh", "exit 0");
    TempDir::WriteBytes(dir / "plain-file", "x");
    fs::create_directory(dir / "folder");
    struct Case {
        std::string program;
        std::string folder;
        int error;
    } cases[] = {
        {dir / "missing.sh", dir.Path(), ENOENT},
        {dir / "unmarked.sh", dir.Path(), EACCES},
        {dir / "folder", dir.Path(), EACCES},
        {dir / "ok.sh", dir / "no-such-folder", ENOENT},
        {dir / "ok.sh", dir / "plain-file", ENOTDIR},
        {"no-such-program-anywhere", dir.Path(), ENOENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " in " + c.folder);
        CTitleProcess process;
        EXPECT_EQ(process.Start(c.program, c.folder), c.error);
        process.WaitForExit();  // returns at once
        EXPECT_TRUE(process.HasEnded());
    }
}

TEST(TitleProcessTest, OnlyTheStartedProcessIsWaitedFor)
{
    TempDir dir;
    std::string launcher = ScriptFiles::Write(dir / "launcher.sh", "sleep 30 &\necho $! > child.pid");
    CTitleProcess process;
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(process.Start(launcher, dir.Path()), 0);
    process.WaitForExit();
    EXPECT_LT(SecondsSince(start), 5.0);
    int child = std::atoi(ScriptFiles::WaitForLine(dir / "child.pid").c_str());
    if (child > 0)
        ::kill(child, SIGTERM);
}

TEST(TitleProcessTest, ProgramOutlivesAnAbandonedWait)
{
    TempDir dir;
    std::string script = ScriptFiles::Write(dir / "long.sh", "sleep 1; echo alive > out");
    {
        CTitleProcess process;
        ASSERT_EQ(process.Start(script, dir.Path()), 0);
    }
    EXPECT_EQ(ScriptFiles::WaitForLine(dir / "out"), "alive\n");
}

TEST(TitleProcessTest, WindowsProgramRunsUnderWineWhenInstalled)
{
    TempDir dir;
    fs::create_directory(dir / "bin");
    ScriptFiles::Write(dir / "bin/wine", "echo \"$PWD|$*\" > '" + dir / "wine.out" + "'");
    TempDir::WriteBytes(dir / "Game.exe", "MZ");
    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir / "bin:/usr/bin:/bin").c_str(), 1);

    CTitleProcess process;
    EXPECT_EQ(process.Start(dir / "Game.exe", dir.Path()), 0);
    process.WaitForExit();
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(TempDir::ReadBytes(dir / "wine.out"), dir.Path() + "|" + dir / "Game.exe\n");
}
