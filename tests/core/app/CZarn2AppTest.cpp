#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "platform/MachineId.h"
#include "support/HostileFiles.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const char* const kNoIni = "初期化ファイルが開けませんでした, 規定値をロードします.";

// A program folder "Zarn2" with an application object on it and its own Wine prefix.
struct AppFolder {
    TempDir dir;
    TempDir wine;
    ScriptedMessenger messages;
    CZarn2App app;

    AppFolder() { app.m_szWineDosdevices = wine / "dosdevices"; }
    int Start() { return app.Construct(dir / "Zarn2", 1024, 768); }
};

struct AppFixture : ::testing::Test, AppFolder {};

}  // namespace

TEST_F(AppFixture, FirstStartCreatesFoldersRunsWithDefaultsAndWritesTheFileAtExit)
{
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(messages.messages, std::vector<std::string>{kNoIni});
    EXPECT_TRUE(fs::is_directory(dir / "Zarn"));
    EXPECT_TRUE(fs::is_directory(dir / "Temp"));
    EXPECT_FALSE(fs::exists(dir / "Help"));
    EXPECT_EQ(app.m_szIniPath, dir / "Zarn2.ini");
    EXPECT_EQ(app.Position.x, 137);
    EXPECT_EQ(app.Position.y, 129);
    app.Teardown();
    std::string written = TempDir::ReadBytes(dir / "Zarn2.ini");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 28);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(AppFixture, SettingsFileSurvivesAStartAndAnExitByteForByte)
{
    const std::string file =
        ";;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;\r\n\r\n[Position]\r\n10 : 20\r\n\r\n[IconSize]\r\n1\r\n\r\n"
        "[CD/DVD-ROM]\r\n0\r\n\r\n[LimitMinite]\r\n30\r\n\r\n[HistoryMode]\r\n1\r\n\r\n[Minimize]\r\n0\r\n\r\n"
        "[AutoExit]\r\n1\r\n\r\n[Filer]\r\n/usr/bin/thunar\r\n\r\n[SUBST]\r\n\r\n";
    TempDir::WriteBytes(dir / "Zarn2.ini", file);
    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(app.LimitMinite, 30);
    app.Teardown();
    EXPECT_EQ(TempDir::ReadBytes(dir / "Zarn2.ini"), file);
}

TEST_F(AppFixture, UnwritableSettingsFileIsReportedWithItsErrorNumber)
{
    ASSERT_EQ(Start(), 0);
    fs::create_directory(dir / "Zarn2.ini");  // a folder where the file should go
    app.Teardown();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].rfind("ERROR[21] : 初期化ファイルを作成出来ませんでした,\n", 0), 0u)
        << messages.messages[1];
}

TEST_F(AppFixture, FolderProblemsEndTheStartWithExitCode3)
{
    struct Case {
        const char* what;
        void (*prepare)(const TempDir&);
        const char* messageStart;
    } cases[] = {
        {"a plain file named Zarn", [](const TempDir& d) { TempDir::WriteBytes(d / "Zarn", "x"); },
         "ERROR[0] : "},
        {"a plain file named Temp", [](const TempDir& d) { TempDir::WriteBytes(d / "Temp", "x"); },
         "ERROR[0] : "},
        {"a dangling link named Zarn", [](const TempDir& d) { fs::create_symlink(d / "gone", d / "Zarn"); },
         "ERROR[0] : "},
        {"this computer's run folder a link to a folder elsewhere",
         [](const TempDir& d) {
             fs::create_directories(d / "elsewhere");
             fs::create_directory(d / "Temp");
             fs::create_directory_symlink(d / "elsewhere", d / ("Temp/" + MachineId::ThisMachine()));
         },
         "ERROR : "},
        {"a file named as this computer's run folder",
         [](const TempDir& d) {
             fs::create_directory(d / "Temp");
             TempDir::WriteBytes(d / ("Temp/" + MachineId::ThisMachine()), "x");
         },
         "ERROR : "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir program;
        c.prepare(program);
        ScriptedMessenger local;
        CZarn2App other;
        EXPECT_EQ(other.Construct(program / "Zarn2", 1024, 768), CZarn2App::kExitFolderFailure);
        ASSERT_EQ(local.messages.size(), 1u);
        EXPECT_EQ(local.messages[0].rfind(c.messageStart, 0), 0u) << local.messages[0];
        EXPECT_FALSE(fs::exists(program / "Zarn2.ini"));
        EXPECT_FALSE(fs::exists(program / "elsewhere") && !fs::is_empty(program / "elsewhere"));
    }
}

// A Temp left read-only (by an older build or another computer) without this computer's run
// folder: the run goes on without it, as before there were run folders.
TEST(CZarn2AppPermissions, AReadOnlyTempWithoutThisComputersRunFolderRunsAsBefore)
{
    TempDir program;
    fs::create_directories(program / "Temp");
    const std::string temp = program / "Temp";
    int result = Unprivileged::Run(program.Path(), [&] {
        fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_exec);
        ScriptedMessenger messages;
        CZarn2App app;
        int code = app.Construct(program / "Zarn2", 1024, 768);
        if (code == 0) {
            CZarn2Doc doc(app);
            doc.OnNewDocument();
            doc.OnCloseDocument();
        }
        bool ran = code == 0 && messages.messages == std::vector<std::string>{kNoIni} &&
                   !fs::exists(temp + "/" + MachineId::ThisMachine());
        if (code == 0)
            app.Teardown();
        fs::permissions(temp, fs::perms::owner_all);
        return ran && fs::exists(program / "Zarn2.ini");
    });
    if (result == Unprivileged::kUnavailable)
        GTEST_SKIP() << "no unprivileged user can reach the test's folder";
    EXPECT_EQ(result, 0) << "the start stopped, said more than the missing settings, or made the run folder";
}

TEST_F(AppFixture, MissingProgramFolderCannotBeCreatedInto)
{
    EXPECT_EQ(app.Construct(dir / "gone/Zarn2", 1024, 768), CZarn2App::kExitFolderFailure);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "エラー番号[2]: " + (dir / "gone/Temp") +
                                        " が作成出来ません.\nヘルプを見て作者までエラー番号をご連絡下さい.");
}

TEST(CZarn2AppProcess, PlainFileNamedZarnEndsTheProcessWithCode3AndWritesNothing)
{
    TempDir program;
    TempDir::WriteBytes(program / "Zarn", "x");
    EXPECT_EXIT(
        {
            ScriptedMessenger silent;
            CZarn2App app;
            int code = app.Construct(program / "Zarn2", 800, 600);
            if (code == 0)
                app.Teardown();
            std::exit(code);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_FALSE(fs::exists(program / "Zarn2.ini"));
}

TEST_F(AppFixture, DriveMappingLinksTheFirstFreeLetterAndRemovesItAtExit)
{
    fs::create_directories(wine / "dosdevices");
    fs::create_symlink("/", wine / "dosdevices/l:");           // in use
    fs::create_symlink(wine / "nowhere", wine / "dosdevices/m:");  // dangling: still taken
    TempDir::WriteBytes(wine / "dosdevices/n::", "");          // raw device entry of N:
    TempDir::WriteBytes(dir / "Zarn2.ini", std::string("[SUBST]\n") + dir.Path() + "\n");
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(app.m_szSubstDrive, "O:");
    EXPECT_EQ(fs::read_symlink(wine / "dosdevices/o:"), dir.Path());
    app.Teardown();
    EXPECT_FALSE(fs::is_symlink(wine / "dosdevices/o:"));
    EXPECT_TRUE(fs::is_symlink(wine / "dosdevices/l:"));
}

TEST_F(AppFixture, DriveMappingNeverRemovesAForeignLink)
{
    fs::create_directories(wine / "dosdevices");
    TempDir::WriteBytes(dir / "Zarn2.ini", std::string("[SUBST]\n") + dir.Path() + "\n");
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(app.m_szSubstDrive, "L:");
    fs::remove(wine / "dosdevices/l:");
    fs::create_symlink("/tmp", wine / "dosdevices/l:");  // someone else took the letter
    app.SUBST = "/elsewhere";                             // changed in the options meanwhile
    app.Teardown();
    EXPECT_EQ(fs::read_symlink(wine / "dosdevices/l:"), "/tmp");
}

TEST_F(AppFixture, NoMappingWithoutSubstWithoutPrefixOrWithoutFreeLetter)
{
    // Empty SUBST: nothing at all, even with a prefix.
    fs::create_directories(wine / "dosdevices");
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(app.m_szSubstDrive, "");
    EXPECT_TRUE(fs::is_empty(wine / "dosdevices"));
    app.Teardown();

    // A prefix without dosdevices folder: no letter is free.
    fs::remove(wine / "dosdevices");
    TempDir::WriteBytes(dir / "Zarn2.ini", std::string("[SUBST]\n") + dir.Path() + "\n");
    CZarn2App second;
    second.m_szWineDosdevices = wine / "dosdevices";
    ASSERT_EQ(second.Construct(dir / "Zarn2", 1024, 768), 0);
    EXPECT_EQ(second.m_szSubstDrive, "");
    second.Teardown();

    // Every letter from L to Y taken.
    fs::create_directories(wine / "dosdevices");
    for (char c = 'l'; c <= 'y'; ++c)
        fs::create_symlink("/", wine / (std::string("dosdevices/") + c + ":"));
    CZarn2App third;
    third.m_szWineDosdevices = wine / "dosdevices";
    ASSERT_EQ(third.Construct(dir / "Zarn2", 1024, 768), 0);
    EXPECT_EQ(third.m_szSubstDrive, "");
    EXPECT_FALSE(fs::exists(wine / "dosdevices/z:"));
    third.Teardown();
}

TEST_F(AppFixture, InstalledStartKeepsTheUserFilesInTheDataHomeAndNothingBesideTheBinary)
{
    fs::create_directories(dir / "usr/bin");
    ProgramPaths paths = ProgramPaths::Installed(dir / "usr/bin/Zarn2", dir / "home/.local/share");
    ASSERT_EQ(app.Construct(paths, 1024, 768), 0);
    {
        CZarn2Doc doc(app);
        doc.OnNewDocument();
        doc.OnCloseDocument();
    }
    app.Teardown();
    const std::string home = dir / "home/.local/share/Zarn2";
    for (const char* made : {"Zarn", "Temp", "Zarn2.ini", "Zarn2.Grp"})
        EXPECT_TRUE(fs::exists(home + "/" + made)) << made;
    EXPECT_TRUE(fs::is_empty(dir / "usr/bin"));
}

TEST_F(AppFixture, InstalledDataHomeThatCannotBeMadeEndsTheStart)
{
    TempDir::WriteBytes(dir / "share", "a file where the data home's parent should be");
    ProgramPaths paths = ProgramPaths::Installed(dir / "bin/Zarn2", dir / "share");
    EXPECT_EQ(app.Construct(paths, 1024, 768), CZarn2App::kExitFolderFailure);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].rfind("エラー番号[20]: " + (dir / "share/Zarn2"), 0), 0u)
        << messages.messages[0];
}

TEST(CZarn2AppHostileFiles, ASettingsFileThatIsNoneIsKeptAndTheRunUsesTheDefaults)
{
    for (const HostileFile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.what);
        AppFolder start;
        std::string path = start.dir / "Zarn2.ini";
        hostile.Put(path, "[Minimize]\r\n0\r\n");
        std::string before = Fingerprint(path);
        ASSERT_EQ(start.Start(), 0);
        EXPECT_EQ(start.messages.messages.size(), hostile.sectionless ? 0u : 1u);
        EXPECT_EQ(start.app.Minimize, 1);
        start.app.Minimize = 0;  // changed during the run, and lost (saved from text without sections)
        start.app.Teardown();
        EXPECT_EQ(Fingerprint(path) == before, !hostile.sectionless);
    }
}
