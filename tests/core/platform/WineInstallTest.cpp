#include "platform/LinuxWineInstall.h"
#include "platform/ProgramKind.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

// Wine installations laid out as their packages lay them, each under its own prefix with
// its loader in bin/: whether each runs 32-bit programs.
TEST(WineInstallTest, The32BitPartIsFoundWhereEachBuildPutsIt)
{
    struct Case {
        const char* layout;
        std::vector<std::string> files;  // below the prefix; bin/wine is always there
        bool runs32Bit;
    } cases[] = {
        {"Debian wine64 without wine32",
         {"lib/wine/wine64", "lib/x86_64-linux-gnu/wine/x86_64-windows/ntdll.dll",
          "lib/x86_64-linux-gnu/wine/i386-windows/"},
         false},
        {"Debian wine64 and wine32",
         {"lib/wine/wine64", "lib/wine/wine", "lib/i386-linux-gnu/wine/i386-windows/ntdll.dll"},
         true},
        {"Debian wine32 alone", {"lib/wine/wine"}, true},
        {"upstream build with both parts",
         {"lib/wine/x86_64-windows/ntdll.dll", "lib/wine/i386-windows/ntdll.dll"}, true},
        {"upstream 64-bit only", {"lib64/wine/x86_64-windows/ntdll.dll"}, false},
        {"64-bit build with an empty i386-windows folder",
         {"lib/wine/x86_64-windows/ntdll.dll", "lib/wine/i386-windows/"}, false},
        {"WoW64 build", {"lib/wine/x86_64-windows/ntdll.dll", "lib/wine/i386-windows/ntdll.dll"}, true},
        {"nothing recognisable", {"share/wine/wine.inf"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        TempDir prefix;
        fs::create_directories(prefix / "bin");
        ScriptFiles::Write(prefix / "bin/wine", "exit 0");
        for (const std::string& file : c.files) {
            fs::create_directories(fs::path(prefix / file).parent_path());
            if (file.back() != '/')
                ScriptFiles::Write(prefix / file, "exit 0");
        }
        EXPECT_EQ(LinuxWineInstall::Runs32Bit(prefix / "bin/wine"), c.runs32Bit);
        // Found through a link on PATH, as the alternatives system installs it.
        fs::create_directories(prefix / "usr-bin");
        fs::create_symlink(prefix / "bin/wine", prefix / "usr-bin/wine");
        EXPECT_EQ(LinuxWineInstall::Runs32Bit(prefix / "usr-bin/wine"), c.runs32Bit);
    }
    EXPECT_TRUE(LinuxWineInstall::Runs32Bit(""));
}

TEST(WineInstallTest, UrlSchemes)
{
    struct Case {
        const char* text;
        const char* scheme;
    } cases[] = {
        {"steam://rungameid/10", "steam"}, {"lutris:rungameid/3", "lutris"}, {"HTTPS://example.org", "https"},
        {"heroic://launch/x", "heroic"},   {"x-app+1.2:go", "x-app+1.2"},    {"C:\\Games\\a.exe", ""},
        {"/usr/games/x", ""},              {"run:me/x", "run"},             {"1app:x", ""},
        {"--opt=a:b", ""},                 {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Programs::UrlScheme(c.text), c.scheme);
    }
}
