#include "launch/CMciService.h"
#include "launch/DriveSequences.h"
#include "launch/OpticalDriveTable.h"
#include "platform/ICdromSyscalls.h"
#include "platform/IMountControl.h"
#include "platform/LinuxDriveBackend.h"
#include "support/FakeDriveTable.h"
#include "support/ScriptedMessenger.h"
#include "support/ZeroWaiter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <map>

namespace {

// System calls that succeed unless told to fail with an error number; drive status
// answers come from a queue (the last one repeats).
class FakeSyscalls final : public ICdromSyscalls {
public:
    int Open(const char* path, int flags) override
    {
        log.push_back(std::string("open ") + path);
        openFlags = flags;
        if (openError)
            return -openError;
        ++openFds;
        return 7;
    }
    int Ioctl(int, unsigned long request, unsigned long) override
    {
        log.push_back(Name(request));
        if (auto it = ioctlErrors.find(request); it != ioctlErrors.end())
            return -it->second;
        if (request != CDROM_DRIVE_STATUS)
            return 0;
        int status = statuses.front();
        if (statuses.size() > 1)
            statuses.pop_front();
        return status;
    }
    void Close(int) override
    {
        log.push_back("close");
        --openFds;
    }

    static std::string Name(unsigned long request)
    {
        switch (request) {
        case CDROMEJECT:
            return "eject";
        case CDROMCLOSETRAY:
            return "closetray";
        case CDROM_DRIVE_STATUS:
            return "status";
        default:
            return "ioctl?";
        }
    }

    std::vector<std::string> log;
    int openError = 0;
    int openFlags = 0;
    int openFds = 0;
    std::map<unsigned long, int> ioctlErrors;
    std::deque<int> statuses{CDS_DISC_OK};
};

class FakeMounts final : public IMountControl {
public:
    std::string MountPoint(const std::string&) override { return mounted; }
    std::string Mount(const std::string&) override { return {}; }
    bool Unmount(const std::string& device) override
    {
        log->push_back("unmount " + device);
        if (unmountWorks)
            mounted.clear();
        return unmountWorks;
    }
    std::vector<std::string>* log = nullptr;
    std::string mounted;
    bool unmountWorks = true;
};

class LinuxDriveBackendTest : public ::testing::Test {
protected:
    LinuxDriveBackendTest() : backend(syscalls, mounts), mci(backend) { mounts.log = &syscalls.log; }

    FakeSyscalls syscalls;
    FakeMounts mounts;
    LinuxDriveBackend backend;
    CMciService mci;
    MciService::Override useMci{mci};
    FakeDriveTable drives{{"/dev/sr0"}};
    ScriptedMessenger messenger;
    ZeroWaiter waiter;
};

std::string Reason(const char* text, int err) { return std::string(text) + "\n/dev/sr0: " + std::strerror(err); }

TEST_F(LinuxDriveBackendTest, OpensWithoutBlockingAndClosesAfterEachSequence)
{
    EXPECT_TRUE(OpenDriveDoor());
    EXPECT_EQ(syscalls.openFlags, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_EQ(syscalls.log, (std::vector<std::string>{"open /dev/sr0", "eject", "close"}));
    EXPECT_EQ(syscalls.openFds, 0);
    EXPECT_TRUE(WaitForMedia());
    EXPECT_EQ(syscalls.openFds, 0);
}

TEST_F(LinuxDriveBackendTest, SystemErrorsBecomeErrorTextsThatEndTheSequence)
{
    struct Case {
        const char* name;
        int openError;
        unsigned long request;  // 0: the open fails
        int error;
        bool (*sequence)();
        std::string expected;
    };
    const Case cases[] = {
        {"missing node", ENOENT, 0, 0, OpenDriveDoor, Reason("指定されたデバイス名は正しくありません。", ENOENT)},
        {"no such device on open", ENXIO, 0, 0, CloseDriveDoor,
         Reason("指定されたデバイス名は正しくありません。", ENXIO)},
        {"no permission", EACCES, 0, 0, WaitForMedia, Reason("ドライブを開くことができません。", EACCES)},
        {"not a CD-ROM", 0, CDROMEJECT, ENOTTY, OpenDriveDoor,
         Reason("ドライブはこの機能をサポートしていません。", ENOTTY)},
        {"no status support", 0, CDROM_DRIVE_STATUS, ENOSYS, WaitForMedia,
         Reason("ドライブはこの機能をサポートしていません。", ENOSYS)},
        {"disc in use", 0, CDROMEJECT, EBUSY, OpenDriveDoor, Reason("ドライブは使用中です。", EBUSY)},
        {"drive gone", 0, CDROMCLOSETRAY, ENXIO, CloseDriveDoor, Reason("ドライブの準備ができていません。", ENXIO)},
        {"read failure", 0, CDROM_DRIVE_STATUS, EIO, WaitForMedia,
         Reason("ドライブでハードウェア エラーが発生しました。", EIO)},
        {"other", 0, CDROMEJECT, EFAULT, OpenDriveDoor, Reason("ドライブのドライバでエラーが発生しました。", EFAULT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        syscalls.openError = c.openError;
        syscalls.ioctlErrors.clear();
        if (c.request)
            syscalls.ioctlErrors[c.request] = c.error;
        syscalls.log.clear();
        messenger.Clear();
        EXPECT_FALSE(c.sequence());
        EXPECT_EQ(messenger.messages, std::vector<std::string>{c.expected});
        EXPECT_EQ(syscalls.openFds, 0) << "the device is released";
        if (c.openError) {
            EXPECT_EQ(syscalls.log.size(), 1u) << "nothing follows a failed open";
        }
    }
}

TEST_F(LinuxDriveBackendTest, AMountedDiscIsReleasedBeforeTheTrayOpens)
{
    mounts.mounted = "/media/user/DISC";
    EXPECT_TRUE(OpenDriveDoor());
    EXPECT_EQ(syscalls.log, (std::vector<std::string>{"open /dev/sr0", "unmount /dev/sr0", "eject", "close"}));

    // When the disk service refuses, the kernel's refusal is what the user sees.
    mounts.mounted = "/media/user/DISC";
    mounts.unmountWorks = false;
    syscalls.ioctlErrors[CDROMEJECT] = EBUSY;
    EXPECT_FALSE(OpenDriveDoor());
    EXPECT_EQ(messenger.messages, std::vector<std::string>{Reason("ドライブは使用中です。", EBUSY)});
}

TEST_F(LinuxDriveBackendTest, ClosingTheTrayPollsNothing)
{
    syscalls.statuses = {CDS_DRIVE_NOT_READY};
    EXPECT_TRUE(CloseDriveDoor());
    EXPECT_EQ(syscalls.log, (std::vector<std::string>{"open /dev/sr0", "closetray", "close"}));
    EXPECT_TRUE(waiter.waits.empty());
}

TEST_F(LinuxDriveBackendTest, ADiscBeingLoadedIsPresentButNotReady)
{
    struct Case {
        int status;
        bool present, ready;
    } cases[] = {
        {CDS_NO_INFO, false, false},        {CDS_NO_DISC, false, false}, {CDS_TRAY_OPEN, false, false},
        {CDS_DRIVE_NOT_READY, true, false}, {CDS_DISC_OK, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        syscalls.statuses = {c.status};
        ASSERT_TRUE(backend.Open("/dev/sr0").Ok());
        bool present = !c.present;
        bool ready = !c.ready;
        EXPECT_TRUE(backend.MediaPresent(present).Ok());
        EXPECT_TRUE(backend.Ready(ready).Ok());
        EXPECT_EQ(present, c.present);
        EXPECT_EQ(ready, c.ready);
        backend.Close();
    }
}

// A drive that holds a disc but never gets ready: the medium wait gives up on readiness
// after its polls and carries on, without the no-medium question.
TEST_F(LinuxDriveBackendTest, ADriveThatNeverGetsReadyLetsTheWaitSucceed)
{
    syscalls.statuses = {CDS_TRAY_OPEN, CDS_DRIVE_NOT_READY};
    EXPECT_TRUE(WaitForMedia());
    EXPECT_TRUE(messenger.questions.empty());
    EXPECT_TRUE(messenger.messages.empty());
    EXPECT_EQ(waiter.Total(), (1 + DriveSequences::kReadinessPolls) * DriveSequences::kPollIntervalMs);
    EXPECT_EQ(syscalls.openFds, 0);
}

// The real system calls on nodes every machine has: a missing node and one that is not a
// CD-ROM drive.
TEST(LinuxDriveBackendRealTest, RealNodesThatAreNoDrivesGiveTheirErrors)
{
    LinuxDriveBackend backend;
    DriveResult missing = backend.Open("/dev/zarn2-no-such-drive");
    EXPECT_EQ(missing.kind, DriveResult::kNoDevice);
    EXPECT_EQ(missing.sysError, ENOENT);

    ASSERT_TRUE(backend.Open("/dev/null").Ok());
    bool present = true;
    DriveResult status = backend.MediaPresent(present);
    EXPECT_EQ(status.kind, DriveResult::kUnsupported);
    EXPECT_EQ(status.sysError, ENOTTY);
    EXPECT_FALSE(present);
    backend.Close();
    EXPECT_EQ(backend.OpenTray().kind, DriveResult::kNotOpen);
}

}  // namespace
