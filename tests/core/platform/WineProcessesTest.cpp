#include "platform/WineProcesses.h"

#include <gtest/gtest.h>

TEST(WineProcessesTest, OnlyTheServerAndServiceProgramsFromWinesSystemFolderAreBackground)
{
    struct Case {
        const char* name;
        const char* exeName;
        std::vector<std::string> args;
        bool background;
    } cases[] = {
        {"wineserver", "wineserver64", {"/usr/lib/wine/wineserver64"}, true},
        {"wineserver", "", {}, true}, // executable unreadable: its short name tells
        {"services.exe", "wine64-preloader", {"C:\\windows\\system32\\services.exe"}, true},
        {"explorer.exe", "wine-preloader", {"c:\\Windows\\SysWOW64\\EXPLORER.EXE", "/desktop"}, true},
        {"wine64", "wine64", {"/usr/bin/wine64", "C:\\windows\\system32\\winedevice.exe"}, true},
        {"services.exe", "services.exe", {"C:\\windows\\system32\\services.exe", "600"}, true},
        {"explorer.exe", "wine64-preloader", {"Z:\\games\\explorer.exe"}, false},
        {"services.exe", "services.exe", {"./services.exe"}, false},
        {"game.exe", "wine64-preloader", {"C:\\windows\\system32\\game.exe"}, false},
        {"sleep", "sleep", {"sleep", "C:\\windows\\system32\\services.exe"}, false},
        {"wineserverx", "wineserverx", {"wineserverx"}, false},
        {"sh", "dash", {}, false},
    };
    for (const Case& c : cases) {
        ProcessEntry process;
        process.name = c.name;
        process.exeName = c.exeName;
        process.args = c.args;
        SCOPED_TRACE(std::string(c.name) + " / " + c.exeName + " / " + (c.args.empty() ? "" : c.args[0]));
        EXPECT_EQ(WineProcesses::IsBackground(process), c.background);
    }
}
