#include "platform/TextFileWriter.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The body runs in the child, on the full tmpfs.
TEST(AtomicFileOnFullDisk, Child)
{
    std::string folder = SmallDisk::Folder();
    if (folder.empty())
        GTEST_SKIP() << "runs only inside the small-disk child";
    std::string path = folder + "/Zarn2.ini";
    TempDir::WriteBytes(path, "old settings\r\n");
    SmallDisk::FillUp(folder);
    TextFileWriter writer;
    for (int i = 0; i < 2000; ++i)
        writer.Line("a line that no longer fits on this disk");
    TextFileWriter::Result result = writer.Save(path);
    EXPECT_EQ(result.error, ENOSPC);
    EXPECT_EQ(TempDir::ReadBytes(path), "old settings\r\n");
    // No temporary file is left behind.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        entries += entry.path().filename() != "filler" ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFileOnFullDisk, KeepsTheOldFileWholeAndReportsTheFailure)
{
    if (!SmallDisk::Folder().empty())
        GTEST_SKIP() << "parent only";
    std::string why = SmallDisk::Unavailable();
    if (!why.empty()) {
        if (SmallDisk::MustRun())
            FAIL() << why;
        GTEST_SKIP() << why;
    }
    TempDir mount;
    EXPECT_EQ(SmallDisk::RunChild("AtomicFileOnFullDisk.Child", mount.Path()), 0);
}
