#include "launch/CMciService.h"
#include "support/FakeDriveBackend.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kOpen[] = "open /dev/sr1 type cdaudio alias Drive";

TEST(CMciServiceTest, AnswersStatusQuestionsWithTrueOrFalse)
{
    FakeDriveBackend drive;
    drive.mediumAfterPolls = 1;
    CMciService mci(drive);
    std::string answer = "stale";
    ASSERT_EQ(mci.Send(kOpen, answer), 0);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(drive.calls.front(), "open /dev/sr1");
    EXPECT_EQ(mci.Send("status Drive media present wait", answer), 0);
    EXPECT_EQ(answer, "false");
    EXPECT_EQ(mci.Send("status Drive media present wait", answer), 0);
    EXPECT_EQ(answer, "true");
    EXPECT_EQ(mci.Send("status Drive ready wait", answer), 0);
    EXPECT_EQ(answer, "true");
}

TEST(CMciServiceTest, RefusesUnknownCommandsAndCommandsWithoutTheOpenDevice)
{
    FakeDriveBackend drive;
    CMciService mci(drive);
    std::string answer;
    struct Case {
        const char* command;
        int expected;
    };
    const Case closed[] = {
        {"set Drive door open", CMciService::kErrInvalidDeviceId},
        {"close Drive", CMciService::kErrInvalidDeviceId},
        {"set drive door open", CMciService::kErrUnrecognizedCommand},
        {"set Drive door closed", CMciService::kErrUnrecognizedCommand},
        {"open /dev/sr0 type cdaudio alias Disc", CMciService::kErrUnrecognizedCommand},
        {"open type cdaudio alias Drive", CMciService::kErrUnrecognizedCommand},
        {"", CMciService::kErrUnrecognizedCommand},
    };
    for (const Case& c : closed) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(mci.Send(c.command, answer), c.expected);
    }
    EXPECT_TRUE(drive.calls.empty());

    ASSERT_EQ(mci.Send(kOpen, answer), 0);
    EXPECT_EQ(mci.Send(kOpen, answer), CMciService::kErrDuplicateAlias);
    EXPECT_EQ(mci.Send("close Drive", answer), 0);
    EXPECT_EQ(mci.Send("close Drive", answer), CMciService::kErrInvalidDeviceId);
}

TEST(CMciServiceTest, ErrorTextCarriesTheSystemsReasonAndTheDevice)
{
    FakeDriveBackend drive;
    drive.failures["tray open"] = DriveResult::Failure(DriveResult::kBusy, EBUSY);
    CMciService mci(drive);
    std::string answer;
    ASSERT_EQ(mci.Send(kOpen, answer), 0);
    int code = mci.Send("set Drive door open", answer);
    EXPECT_EQ(code, CMciService::kErrDeviceBusy);
    EXPECT_EQ(mci.ErrorText(code), std::string("ドライブは使用中です。\n/dev/sr1: ") + std::strerror(EBUSY));
    EXPECT_EQ(mci.ErrorText(CMciService::kErrHardware), "ドライブでハードウェア エラーが発生しました。")
        << "the reason belongs to the last error only";
    EXPECT_EQ(mci.ErrorText(12345), "不明なエラーです。(12345)");
}

TEST(CMciServiceTest, ReleasesAnOpenDriveWhenItGoes)
{
    FakeDriveBackend drive;
    {
        CMciService mci(drive);
        std::string answer;
        ASSERT_EQ(mci.Send(kOpen, answer), 0);
    }
    EXPECT_FALSE(drive.isOpen);
}

}  // namespace
