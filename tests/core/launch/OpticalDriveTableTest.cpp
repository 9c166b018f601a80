#include "launch/OpticalDriveTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(OpticalDriveTableTest, ListsTheDriveNodesThatExistInUnitOrder)
{
    struct Case {
        std::vector<std::string> nodes;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{"sr1", "sr3"}, {"sr1", "sr3"}},
        {{"sr7", "sr0", "sr8", "sda", "sr10"}, {"sr0", "sr7"}},
        {{"sr0", "sr1", "sr2", "sr3", "sr4", "sr5", "sr6", "sr7"}, {"sr0", "sr1", "sr2", "sr3", "sr4", "sr5", "sr6", "sr7"}},
    };
    for (const Case& c : cases) {
        TempDir dev;
        std::string listed;
        for (const std::string& node : c.nodes) {
            TempDir::WriteBytes(dev / node, "");
            listed += node + " ";
        }
        SCOPED_TRACE(listed);
        EXPECT_EQ(ScanOpticalDrives(dev.Path()), static_cast<int>(c.expected.size()));
        const COpticalDriveTable& table = OpticalDrives();
        ASSERT_EQ(table.count, static_cast<int>(c.expected.size()));
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(table.names[i], dev / c.expected[i]);
        EXPECT_EQ(table.Selected(table.count), "");
        EXPECT_EQ(table.Selected(-1), "");
    }
}

TEST(OpticalDriveTableTest, ARescanForgetsDrivesThatWentAway)
{
    TempDir dev;
    TempDir::WriteBytes(dev / "sr0", "");
    TempDir::WriteBytes(dev / "sr1", "");
    ASSERT_EQ(ScanOpticalDrives(dev.Path()), 2);
    std::filesystem::remove(dev / "sr1");
    EXPECT_EQ(ScanOpticalDrives(dev.Path()), 1);
    EXPECT_EQ(OpticalDrives().Selected(1), "");
    EXPECT_EQ(OpticalDrives().names[1], "");
}

}  // namespace
