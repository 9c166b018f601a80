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

// Where the file system refuses the no-replace rename, a file moves by link and unlink; a
// folder is renamed after a look that nothing has its new name.
TEST(MoveNoReplace, FallsBackWhereNoReplaceIsRefused)
{
    struct Case {
        const char* from;
        const char* to;
        int error;
        std::vector<std::string> calls;
    } cases[] = {
        {"a.Log", "b.Log", 0, {"rename-noreplace", "unlink"}},
        {"a.Log", "taken.Log", EEXIST, {"rename-noreplace"}},
        {"folder", "folder2", 0, {"rename-noreplace", "rename"}},
        {"folder", "taken.Log", EEXIST, {"rename-noreplace"}},
        {"folder", "empty", EEXIST, {"rename-noreplace"}},
        {"gone", "folder2", ENOENT, {"rename-noreplace"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        TempDir dir;
        TempDir::WriteBytes(dir / "a.Log", "A");
        TempDir::WriteBytes(dir / "taken.Log", "T");
        std::filesystem::create_directory(dir / "folder");
        TempDir::WriteBytes(dir / "folder/t.Log", "F");
        std::filesystem::create_directory(dir / "empty");
        RecordingFileSyscalls calls;
        calls.refuseNoReplace = true;

        EXPECT_EQ(MoveNoReplace(dir / c.from, dir / c.to), c.error);

        EXPECT_EQ(calls.calls, c.calls);
        EXPECT_EQ(std::filesystem::exists(dir / c.from), c.error != 0 && c.error != ENOENT);
        EXPECT_EQ(TempDir::ReadBytes(dir / "taken.Log"), "T");
        EXPECT_TRUE(std::filesystem::is_empty(dir / "empty"));
        if (c.error == 0) {
            EXPECT_TRUE(std::filesystem::exists(dir / c.to));
        }
    }
}
