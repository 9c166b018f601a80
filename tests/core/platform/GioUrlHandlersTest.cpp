#include "platform/GioUrlHandlers.h"
#include "support/ScopedEnv.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

// The desktop's own lookup, on a desktop of the test's own. GLib takes the XDG folders once
// per process, so the check runs in a fresh process of this test program (the death test's
// "threadsafe" style runs the test again there from its start) that inherits the folders:
// the run there finds the first run's folder in ZARN2_GIO_TEST_DIR. The handler is named
// in the applications folder's own mimeapps.list (the configuration folder belongs to this
// program's GSettings tests).
TEST(GioUrlHandlersTest, FindsTheSchemesHandlerAndOpensTheUrlWithIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::optional<TempDir> made;
    const char* shared = std::getenv("ZARN2_GIO_TEST_DIR");
    const std::string root = shared ? shared : made.emplace().Path();
    ScopedEnv sharedDir("ZARN2_GIO_TEST_DIR", root);
    ScopedEnv data("XDG_DATA_HOME", root + "/data");
    ScopedEnv system("XDG_DATA_DIRS", root + "/system");
    std::filesystem::create_directories(root + "/data/applications");
    std::filesystem::create_directories(root + "/system");
    const std::string client = ScriptFiles::Write(root + "/client", "echo \"$1\" > '" + root + "/opened'");
    const std::string entry = root + "/data/applications/zarn2-test-client.desktop";
    TempDir::WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Client\nExec=" + client +
                                   " %u\nMimeType=x-scheme-handler/zarn2test;\nNoDisplay=true\n");
    TempDir::WriteBytes(root + "/data/applications/mimeapps.list",
                        "[Default Applications]\nx-scheme-handler/zarn2test=zarn2-test-client.desktop\n");
    EXPECT_EXIT(
        {
            GioUrlHandlers handlers;
            std::optional<IUrlHandlers::Handler> found = handlers.For("zarn2test");
            const bool known = found && found->id == "zarn2-test-client.desktop" && found->desktopFile == entry;
            const bool unknown = !handlers.For("zarn2-none");
            const bool opened = handlers.Open("zarn2test://game/7") &&
                                ScriptFiles::WaitForLine(root + "/opened") == "zarn2test://game/7\n";
            std::exit((known ? 0 : 1) | (unknown ? 0 : 2) | (opened ? 0 : 4));
        },
        ::testing::ExitedWithCode(0), "");
}
