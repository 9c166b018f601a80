#include "platform/FileMove.h"
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
