#include "platform/FileMove.h"
#include "support/RecordingFileSyscalls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

TEST(MoveNoReplace, MovesFilesAndFolders)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "a.Log", "A");
    EXPECT_EQ(MoveNoReplace(dir / "a.Log", dir / "b.Log"), 0);
    EXPECT_EQ(TempDir::ReadBytes(dir / "b.Log"), "A");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.Log"));

    std::filesystem::create_directory(dir / "old");
    TempDir::WriteBytes(dir / "old/t.Log", "T");
    EXPECT_EQ(MoveNoReplace(dir / "old", dir / "new"), 0);
    EXPECT_EQ(TempDir::ReadBytes(dir / "new/t.Log"), "T");
}

TEST(MoveNoReplace, NeverReplacesTheDestination)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "a.Log", "A");
    TempDir::WriteBytes(dir / "b.Log", "B");
    EXPECT_EQ(MoveNoReplace(dir / "a.Log", dir / "b.Log"), EEXIST);
    EXPECT_EQ(TempDir::ReadBytes(dir / "a.Log"), "A");
    EXPECT_EQ(TempDir::ReadBytes(dir / "b.Log"), "B");

    std::filesystem::create_directory(dir / "x");
    std::filesystem::create_directory(dir / "y");
    EXPECT_NE(MoveNoReplace(dir / "x", dir / "y"), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "x"));
}

TEST(MoveNoReplace, SamePathSucceedsOnlyWhenItExists)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "a.Log", "A");
    EXPECT_EQ(MoveNoReplace(dir / "a.Log", dir / "a.Log"), 0);
    EXPECT_EQ(TempDir::ReadBytes(dir / "a.Log"), "A");
    EXPECT_EQ(MoveNoReplace(dir / "gone", dir / "gone"), ENOENT);
    EXPECT_EQ(MoveNoReplace(dir / "gone", dir / "other"), ENOENT);
}

// Where the file system refuses the no-replace rename, a file moves by link and unlink;
// a folder cannot, and the rename's own answer is reported.
TEST(MoveNoReplace, FallsBackToLinkAndUnlinkWhereNoReplaceIsRefused)
{
    struct Case {
        const char* what;
        const char* to;
        int error;
    } cases[] = {
        {"file to a free name", "b.Log", 0},
        {"file onto a taken name", "taken.Log", EEXIST},
        {"folder", "folder2", EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        TempDir::WriteBytes(dir / "a.Log", "A");
        TempDir::WriteBytes(dir / "taken.Log", "T");
        std::filesystem::create_directory(dir / "folder");
        RecordingFileSyscalls calls;
        calls.refuseNoReplace = true;
        const std::string from = dir / (c.error == EINVAL ? "folder" : "a.Log");

        EXPECT_EQ(MoveNoReplace(from, dir / c.to), c.error);

        EXPECT_EQ(calls.calls, std::vector<std::string>{"rename-noreplace"});
        EXPECT_EQ(std::filesystem::exists(from), c.error != 0);
        EXPECT_EQ(TempDir::ReadBytes(dir / "taken.Log"), "T");
        if (c.error == 0) {
            EXPECT_EQ(TempDir::ReadBytes(dir / c.to), "A");
        }
    }
}
