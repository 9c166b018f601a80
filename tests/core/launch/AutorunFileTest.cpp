#include "launch/AutorunFile.h"
#include "launch/CMciService.h"
#include "launch/InstallFromMedia.h"
#include "launch/OpticalDriveTable.h"
#include "platform/UdisksMountControl.h"
#include "support/FakeDriveBackend.h"
#include "support/FakeDriveTable.h"
#include "support/ScriptedMediaPrompt.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "support/ZeroWaiter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Medium {
    std::string autorunName;  // "" for no autorun file
    std::string autorun;      // its bytes (code page 932)
    std::vector<std::string> files;
};

void Lay(const std::string& root, const Medium& medium)
{
    for (const std::string& file : medium.files) {
        fs::create_directories(fs::path(root + "/" + file).parent_path());
        TempDir::WriteBytes(root + "/" + file, "");
    }
    if (!medium.autorunName.empty())
        TempDir::WriteBytes(root + "/" + medium.autorunName, medium.autorun);
}

TEST(AutorunFileTest, TheFirstCountingOpenLineNamesTheProgram)
{
    struct Case {
        const char* autorun;
        std::vector<std::string> files;
        std::string program;  // relative to the root, "" for none
    };
    const Case cases[] = {
        {"[autorun]\r\nopen=setup.exe\r\nicon=setup.ico\r\n", {}, "setup.exe"},
        {"[AutoRun]\nOPEN = setup.exe\n", {}, "setup.exe"},
        {"open=a=b.exe\n", {}, "b.exe"},
        {"[autorun]\r\nicon=a.ico\r\nlabel=Disc\r\n", {}, ""},
        {"", {}, ""},
        {"shellexecute=a.exe\nopen\nopen=c.exe\nopen=d.exe\n", {}, "c.exe"},
        {" open=x.exe\nopen=y.exe", {}, "y.exe"},
        {"openwith=w.exe\n", {}, "w.exe"},
        {"open=setup.exe /auto\n", {}, "setup.exe /auto"},
        {"open=setup.exe \t\r\n", {}, "setup.exe"},
        {"open=   \nopen=later.exe\n", {}, ""},
        {"open=Disk1\\Setup.exe\n", {"DISK1/SETUP.EXE"}, "DISK1/SETUP.EXE"},
        {"open=\\disk1\\.\\setup.exe\n", {"disk1/setup.exe"}, "disk1/setup.exe"},
        {"open=..\\..\\..\\etc\\passwd\n", {}, "etc/passwd"},
        {"open=a\\..\\..\\b.exe\n", {}, "b.exe"},
        {"open=\x83\x65\x83\x58\x83\x67.exe\n", {}, "テスト.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.autorun);
        TempDir root;
        Lay(root.Path(), Medium{"Autorun.inf", c.autorun, c.files});
        AutorunFile autorun = AutorunFile::Read(root.Path());
        EXPECT_TRUE(autorun.read);
        EXPECT_EQ(autorun.program, c.program.empty() ? "" : root / c.program);
        EXPECT_EQ(autorun.folder, root.Path());
    }
}

TEST(AutorunFileTest, TheFileIsFoundInTheRootWhateverItsLetterCase)
{
    struct Case {
        std::string name;
        bool found;
    };
    const Case cases[] = {
        {"Autorun.inf", true}, {"AUTORUN.INF", true}, {"autorun.inf", true},
        {"AutoRun.Inf", true}, {"autorun.inf.bak", false}, {"sub/autorun.inf", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir root;
        fs::create_directories(root / "sub");
        TempDir::WriteBytes(root / c.name, "open=x.exe\n");
        AutorunFile autorun = AutorunFile::Read(root.Path());
        EXPECT_EQ(autorun.read, c.found);
        EXPECT_EQ(autorun.program, c.found ? root / "x.exe" : "");
    }
    TempDir unreadable;
    fs::create_directories(unreadable / "AUTORUN.INF");
    EXPECT_FALSE(AutorunFile::Read(unreadable.Path()).read) << "a folder of that name is no file";
}

// A small ext2 image with the medium's files, attached to a loop device and mounted
// read-only, like a disc the desktop mounted. Needs root; outside CI a machine that
// cannot mount skips these tests.
class LoopMedium {
public:
    explicit LoopMedium(const Medium& medium)
    {
        Lay(m_content.Path(), medium);
        std::string image = m_work / "disc.img";
        m_mountPoint = m_work / "mnt";
        fs::create_directories(m_mountPoint);
        if (!Run("mke2fs -q -F -t ext2 -d '" + m_content.Path() + "' '" + image + "' 1024"))
            return;
        m_device = Output("losetup --find --show --read-only '" + image + "'");
        if (m_device.empty())
            return;
        m_mounted = Run("mount -o ro '" + m_device + "' '" + m_mountPoint + "'");
    }
    ~LoopMedium()
    {
        if (m_mounted)
            Run("umount '" + m_mountPoint + "'");
        if (!m_device.empty())
            Run("losetup -d '" + m_device + "'");
    }
    LoopMedium(const LoopMedium&) = delete;
    LoopMedium& operator=(const LoopMedium&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Device() const { return m_device; }
    const std::string& MountPoint() const { return m_mountPoint; }

private:
    static bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }
    static std::string Output(const std::string& command)
    {
        std::string out;
        if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
            char buf[256];
            while (std::fgets(buf, sizeof buf, pipe))
                out += buf;
            if (::pclose(pipe) != 0)
                out.clear();
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
            out.pop_back();
        return out;
    }

    TempDir m_content;
    TempDir m_work;
    std::string m_mountPoint;
    std::string m_device;
    bool m_mounted = false;
};

bool InCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

class InstallFromMediaTest : public ::testing::Test {
protected:
    InstallFromMediaTest() : mci(drive) {}

    void UseDrive(const std::string& device) { drives.List({device}); }
    int Install()
    {
        prompt.AnswerNext(true);
        return InstallFromMedia(mounts, [this](const std::string& program, const std::string& folder) {
            started.push_back(program + " @ " + folder);
        });
    }

    FakeDriveBackend drive;
    CMciService mci;
    MciService::Override useMci{mci};
    FakeDriveTable drives;
    ScriptedMessenger messenger;
    ScriptedMediaPrompt prompt;
    ZeroWaiter waiter;
    UdisksMountControl mounts;
    std::vector<std::string> started;
};

TEST_F(InstallFromMediaTest, StartsWhatTheMountedDiscsAutorunFileNames)
{
    if (::geteuid() != 0) {
        if (InCi())
            FAIL() << "CI runs as root and must mount the test images";
        GTEST_SKIP() << "mounting a test image needs root";
    }
    struct Case {
        Medium medium;
        int result;
        std::string started;  // relative to the mount point, "" for nothing
    };
    const Case cases[] = {
        {{"Autorun.inf", "[autorun]\r\nopen=setup.exe\r\n", {"setup.exe"}}, 1, "setup.exe"},
        {{"AUTORUN.INF", "[AUTORUN]\r\nOPEN = setup.exe\r\n", {"SETUP.EXE"}}, 1, "SETUP.EXE"},
        {{"autorun.inf", "open=a=b.exe\n", {}}, 1, "b.exe"},
        {{"Autorun.inf", "[autorun]\r\nicon=disc.ico\r\n", {}}, 1, ""},
        {{"", "", {"setup.exe"}}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.medium.autorunName + ": " + c.medium.autorun);
        LoopMedium disc(c.medium);
        if (!disc.Mounted()) {
            if (InCi())
                FAIL() << "could not mount a test image";
            GTEST_SKIP() << "this machine cannot mount a loop device";
        }
        UseDrive(disc.Device());
        started.clear();
        EXPECT_EQ(Install(), c.result);
        std::vector<std::string> expected;
        if (!c.started.empty())
            expected.push_back(disc.MountPoint() + "/" + c.started + " @ " + disc.MountPoint());
        EXPECT_EQ(started, expected);
        EXPECT_TRUE(messenger.messages.empty());
    }
}

TEST_F(InstallFromMediaTest, EndsSilentlyWithoutAMountOrWhenTheInsertSequenceFails)
{
    // A node that is mounted nowhere (and that the disk service does not know).
    UseDrive("/dev/zarn2-no-such-disc");
    EXPECT_EQ(Install(), 0);
    EXPECT_TRUE(messenger.messages.empty());

    prompt.answers.clear();
    EXPECT_EQ(InstallFromMedia(mounts, [this](const std::string& p, const std::string&) { started.push_back(p); }),
              0)
        << "Cancel in the insert prompt";
    EXPECT_TRUE(started.empty());
}

}  // namespace
