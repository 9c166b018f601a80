#include "app/ProgramPaths.h"

#include <gtest/gtest.h>

TEST(ProgramPaths, EachLayoutFindsTheUserFilesHelpAndHelpers)
{
    struct Row {
        bool installed;
        const char* exe;
        const char* dataHome;
        const char* home;
        const char* groupList;
        const char* help;
        const char* helpers;
    } rows[] = {
        {false, "/opt/zarn2/Zarn2", "", "/opt/zarn2", "/opt/zarn2/Zarn2.Grp", "/opt/zarn2/Help",
         "/opt/zarn2"},
        {false, "Zarn2", "", ".", "./Zarn2.Grp", "./Help", "."},
        {true, "/usr/bin/Zarn2", "/home/u/.local/share", "/home/u/.local/share/Zarn2",
         "/home/u/.local/share/Zarn2/Zarn2.Grp", "/usr/share/zarn2/Help", "/usr/libexec/zarn2"},
        {true, "/tmp/root/usr/bin/Zarn2", "/data", "/data/Zarn2", "/data/Zarn2/Zarn2.Grp",
         "/tmp/root/usr/share/zarn2/Help", "/tmp/root/usr/libexec/zarn2"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.exe);
        ProgramPaths p =
            r.installed ? ProgramPaths::Installed(r.exe, r.dataHome) : ProgramPaths::Portable(r.exe);
        EXPECT_EQ(p.homeDir, r.home);
        EXPECT_EQ(p.iniPath, p.homeDir + "/Zarn2.ini");
        EXPECT_EQ(p.groupListPath, r.groupList);
        EXPECT_EQ(p.helpDir, r.help);
        EXPECT_EQ(p.helperDir, r.helpers);
        EXPECT_EQ(p.makeHomeDir, r.installed);
    }
}
