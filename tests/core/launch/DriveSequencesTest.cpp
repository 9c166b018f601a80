#include "launch/CMciService.h"
#include "launch/DriveSequences.h"
#include "launch/OpticalDriveTable.h"
#include "platform/IMountControl.h"
#include "support/FakeDriveBackend.h"
#include "support/FakeDriveTable.h"
#include "support/ScriptedMediaPrompt.h"
#include "support/ScriptedMessenger.h"
#include "support/ZeroWaiter.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

using namespace DriveSequences;
using Calls = std::vector<std::string>;

namespace {

class DriveSequencesTest : public ::testing::Test {
protected:
    DriveSequencesTest() : mci(drive) {}

    std::string Text(int code) const { return mci.ErrorText(code); }

    FakeDriveBackend drive;
    CMciService mci;
    MciService::Override useMci{mci};
    FakeDriveTable drives{{"/dev/sr0"}};
    ScriptedMessenger messenger;
    ScriptedMediaPrompt prompt;
    ZeroWaiter waiter;
};

TEST_F(DriveSequencesTest, TrayCommandsSendTheirCommandsInOrder)
{
    EXPECT_TRUE(OpenDriveDoor());
    EXPECT_EQ(drive.calls, (Calls{"open /dev/sr0", "tray open", "close"}));
    EXPECT_EQ(waiter.waits, std::vector<int>{kDoorOpenPauseMs});
    EXPECT_TRUE(drive.trayOpen);

    drive.calls.clear();
    EXPECT_TRUE(CloseDriveDoor());
    EXPECT_EQ(drive.calls, (Calls{"open /dev/sr0", "tray close", "close"}));
    EXPECT_EQ(waiter.waits.size(), 1u) << "closing adds no pause of its own";
    EXPECT_FALSE(drive.trayOpen);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(DriveSequencesTest, EachFailureIsShownAndTheDeviceClosedWhereItWasOpen)
{
    struct Case {
        const char* failing;
        bool (*sequence)();
        Calls expected;
    };
    const Case cases[] = {
        {"open", OpenDriveDoor, {"open /dev/sr0"}},
        {"tray open", OpenDriveDoor, {"open /dev/sr0", "tray open", "close"}},
        {"open", CloseDriveDoor, {"open /dev/sr0"}},
        {"tray close", CloseDriveDoor, {"open /dev/sr0", "tray close", "close"}},
        {"open", WaitForMedia, {"open /dev/sr0"}},
        {"present", WaitForMedia, {"open /dev/sr0", "present", "close"}},
        {"ready", WaitForMedia, {"open /dev/sr0", "present", "ready", "close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        drive.calls.clear();
        drive.failures = {{c.failing, DriveResult::Failure(DriveResult::kNotReady)}};
        messenger.Clear();
        EXPECT_FALSE(c.sequence());
        EXPECT_EQ(drive.calls, c.expected);
        EXPECT_EQ(messenger.messages, Calls{Text(CMciService::kErrDeviceNotReady)});
        EXPECT_FALSE(drive.isOpen);
    }
}

TEST_F(DriveSequencesTest, TheOpenPauseFollowsAFailedDoorCommandToo)
{
    drive.failures["tray open"] = DriveResult::Failure(DriveResult::kBusy, EBUSY);
    EXPECT_FALSE(OpenDriveDoor());
    EXPECT_EQ(waiter.waits, std::vector<int>{kDoorOpenPauseMs});
}

TEST_F(DriveSequencesTest, AMediumFoundAfterSomePollsEndsTheWaitWithoutAQuestion)
{
    drive.mediumAfterPolls = 3;
    EXPECT_TRUE(WaitForMedia());
    EXPECT_EQ(drive.CountOf("present"), 4);
    EXPECT_EQ(drive.CountOf("ready"), 1);
    EXPECT_EQ(waiter.waits, std::vector<int>(3, kPollIntervalMs));
    EXPECT_TRUE(messenger.questions.empty());
    EXPECT_EQ(drive.calls.back(), "close");
}

TEST_F(DriveSequencesTest, TheQuestionComesAfter51EmptyPollsAndAgainAfterEvery51More)
{
    drive.mediumAfterPolls = -1;
    messenger.AnswerNext(true);
    messenger.AnswerNext(true);
    messenger.AnswerNext(false);
    EXPECT_FALSE(WaitForMedia());
    EXPECT_EQ(messenger.questions, Calls(3, kNoMediaQuestion));
    EXPECT_EQ(drive.CountOf("present"), 3 * kPresencePollsBeforeQuestion);
    EXPECT_EQ(drive.CountOf("ready"), 0);
    EXPECT_EQ(drive.calls.back(), "close");
    EXPECT_TRUE(messenger.messages.empty()) << "No ends the wait silently";
}

TEST_F(DriveSequencesTest, YesGoesOnPollingUntilTheMediumArrives)
{
    drive.mediumAfterPolls = 60;
    messenger.AnswerNext(true);
    EXPECT_TRUE(WaitForMedia());
    EXPECT_EQ(messenger.questions.size(), 1u);
    EXPECT_EQ(drive.CountOf("present"), 61);
}

TEST_F(DriveSequencesTest, ADriveThatNeverBecomesReadySucceedsAfter50Polls)
{
    drive.readyAfterPolls = -1;
    EXPECT_TRUE(WaitForMedia());
    EXPECT_EQ(drive.CountOf("ready"), kReadinessPolls);
    EXPECT_EQ(waiter.Total(), kReadinessPolls * kPollIntervalMs);
    EXPECT_TRUE(messenger.messages.empty());
    EXPECT_TRUE(messenger.questions.empty());
}

TEST_F(DriveSequencesTest, InsertSequenceRunsTrayPromptTrayAndWait)
{
    prompt.AnswerNext(true);
    drive.mediumAfterPolls = 1;
    EXPECT_TRUE(RequestMedia());
    EXPECT_EQ(prompt.asked, Calls{"CD/DVD-ROM 挿入|メディアを入れて下さい"});
    EXPECT_EQ(drive.calls, (Calls{"open /dev/sr0", "tray open", "close", "open /dev/sr0", "tray close", "close",
                                  "open /dev/sr0", "present", "present", "ready", "close"}));
}

TEST_F(DriveSequencesTest, TheInsertedDiscIsMountedUnlessItIsAlready)
{
    struct Mounts final : IMountControl {
        std::string MountPoint(const std::string&) override { return mountedAt; }
        std::string Mount(const std::string& device) override
        {
            mounted.push_back(device);
            return "/media/disc";
        }
        bool Unmount(const std::string&) override { return true; }
        std::string mountedAt;
        Calls mounted;
    };
    struct Case {
        const char* name;
        bool insert;
        std::string mountedAt;
        Calls mounted;
    } cases[] = {
        {"unmounted disc", true, "", {"/dev/sr0"}},
        {"mounted already", true, "/media/disc", {}},
        {"prompt cancelled", false, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mounts mounts;
        mounts.mountedAt = c.mountedAt;
        MountControl::Override useMounts(mounts);
        prompt.AnswerNext(c.insert);
        EXPECT_EQ(RequestMedia(), c.insert);
        EXPECT_EQ(mounts.mounted, c.mounted);
    }
}

TEST_F(DriveSequencesTest, CancelInTheInsertPromptClosesTheTrayAndStopsSilently)
{
    prompt.AnswerNext(false);
    EXPECT_FALSE(RequestMedia());
    EXPECT_FALSE(drive.trayOpen);
    EXPECT_EQ(drive.CountOf("tray close"), 1);
    EXPECT_EQ(drive.CountOf("present"), 0);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(DriveSequencesTest, AFailedTrayStepEndsTheInsertSequence)
{
    drive.failures["tray open"] = DriveResult::Failure(DriveResult::kUnsupported);
    EXPECT_FALSE(RequestMedia());
    EXPECT_TRUE(prompt.asked.empty());

    drive.failures = {{"tray close", DriveResult::Failure(DriveResult::kHardware, EIO)}};
    prompt.AnswerNext(true);
    drive.calls.clear();
    EXPECT_FALSE(RequestMedia());
    EXPECT_EQ(drive.CountOf("present"), 0);
}

TEST_F(DriveSequencesTest, WithoutADriveEverySequenceFailsWithTheDeviceNameError)
{
    for (int selected : {0, -1, 1, 8, 100}) {
        SCOPED_TRACE(selected);
        EXPECT_EQ(OpticalDrives().Selected(selected), selected == 0 ? "/dev/sr0" : "");
    }
    drives.List({});
    for (bool (*sequence)() : {OpenDriveDoor, CloseDriveDoor, WaitForMedia, RequestMedia}) {
        messenger.Clear();
        drive.calls.clear();
        EXPECT_FALSE(sequence());
        EXPECT_EQ(drive.calls, Calls{"open "});
        EXPECT_EQ(messenger.messages, Calls{Text(CMciService::kErrInvalidDeviceName)});
    }
}

// A service that answers status questions from a script, to see which answers count.
class AnsweringService final : public IMciService {
public:
    int Send(const std::string& command, std::string& answer) override
    {
        sent.push_back(command);
        answer.clear();
        std::deque<std::string>& queue = answers[command];
        if (!queue.empty()) {
            answer = queue.front();
            queue.pop_front();
        }
        return 0;
    }
    std::string ErrorText(int) const override { return "error"; }

    std::map<std::string, std::deque<std::string>> answers;
    std::vector<std::string> sent;
};

TEST_F(DriveSequencesTest, OnlyTheExactAnswerTrueCounts)
{
    for (const char* almost : {"TRUE", "true ", " true", "True", "true\n", "yes", "1", ""}) {
        SCOPED_TRACE(std::string("\"") + almost + "\"");
        AnsweringService service;
        MciService::Override useService(service);
        service.answers["status Drive media present wait"] = {almost, "true"};
        service.answers["status Drive ready wait"] = {almost, "true"};
        EXPECT_TRUE(WaitForMedia());
        EXPECT_EQ(service.sent, (Calls{"open /dev/sr0 type cdaudio alias Drive", "status Drive media present wait",
                                       "status Drive media present wait", "status Drive ready wait",
                                       "status Drive ready wait", "close Drive"}));
    }
}

}  // namespace
