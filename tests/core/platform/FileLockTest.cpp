#include "platform/FileLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Claim = FileLock::Claim;

TEST(FileLock, TheNameLeadsToAHeldFileUntilRemoved)
{
    TempDir dir;
    const std::string path = dir / "play.journal";
    FileLock writer;
    FileLock other;
    std::string bytes;
    int error = 0;
    for (const char* text : {"first\n", "second\n"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(writer.Replace(path, text), 0);
        EXPECT_EQ(TempDir::ReadBytes(path), text);
        EXPECT_EQ(other.TryClaim(path, bytes, error), Claim::HeldElsewhere);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";

    writer.Release();
    ASSERT_EQ(other.TryClaim(path, bytes, error), Claim::Claimed);
    EXPECT_EQ(bytes, "second\n");
    EXPECT_EQ(writer.TryClaim(path, bytes, error), Claim::HeldElsewhere) << "the claim holds it";
    EXPECT_EQ(other.Remove(path), 0);
    EXPECT_FALSE(other.Held());
    EXPECT_EQ(writer.TryClaim(path, bytes, error), Claim::Absent);
}

TEST(FileLock, ClaimsOnlyRegularFilesOfModestSize)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    TempDir::WriteBytes(dir / "target", "x");
    std::filesystem::create_symlink(dir / "target", dir / "link");
    TempDir::WriteBytes(dir / "large", std::string(FileLock::kMaxBytes + 1, 'x'));
    TempDir::WriteBytes(dir / "small", std::string(FileLock::kMaxBytes, 'x'));
    const struct {
        const char* name;
        Claim claim;
    } rows[] = {{"missing", Claim::Absent}, {"folder", Claim::Failed}, {"link", Claim::Failed},
                {"large", Claim::Failed},   {"small", Claim::Claimed}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FileLock lock;
        std::string bytes;
        int error = 0;
        EXPECT_EQ(lock.TryClaim(dir / row.name, bytes, error), row.claim);
        EXPECT_EQ(lock.Held(), row.claim == Claim::Claimed);
        EXPECT_EQ(error != 0, row.claim == Claim::Failed) << error;
    }
}
