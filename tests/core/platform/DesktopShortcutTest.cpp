// gio-unix is not among the build's pkg-config modules; its header sits in its own folder.
#include <gio-unix-2.0/gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/DesktopShortcut.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <thread>

namespace {

class DesktopShortcutTest : public ::testing::Test {
protected:
    TempDir home;
    ScopedEnv data{"XDG_DATA_HOME", home / "data"};

    // A "program" that records the path it was started as.
    std::string MakeProgram(const std::string& folderName, const std::string& fileName)
    {
        std::string folder = home / folderName;
        std::filesystem::create_directories(folder);
        std::string program = folder + "/" + fileName;
        TempDir::WriteBytes(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + (home / "marker") + "'\n");
        ::chmod(program.c_str(), 0755);
        return program;
    }

    static int Validate(const std::string& path)
    {
        std::string command = "desktop-file-validate '" + path + "'";
        return std::system(command.c_str());
    }
};

}  // namespace

TEST_F(DesktopShortcutTest, ExecQuoting)
{
    struct Case {
        std::string path;
        std::string exec;
    } cases[] = {
        {"/opt/zarn2/Zarn2", R"("/opt/zarn2/Zarn2")"},
        {"/home/a b/Zarn2", R"("/home/a b/Zarn2")"},
        // " ` $ get one backslash; a backslash gets one, and then the file doubles both.
        {"/x/\"q`$v\\w", R"("/x/\\"q\\`\\$v\\\\w")"},
        {"/x/100%/Zarn2", R"(/bin/sh -c "exec \\"\\$0\\"" "/x/100%%/Zarn2")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DesktopShortcut::ExecValue(c.path), c.exec);
    }
}

TEST_F(DesktopShortcutTest, EntriesAreValidAndStartTheExactProgram)
{
    struct Case {
        const char* folder;
        const char* file;
    } cases[] = {
        {"Games", "Zarn2"},
        {"My Games/Zarn 2", "Zarn2 launcher"},
        {"100% fun", "Zarn%d%%2"},
        {"odd $HOME `id` \"q\" back\\slash", "Zarn2"},
    };
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(QString::fromStdString(home / "icon.png")));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " / " + c.file);
        std::string program = MakeProgram(c.folder, c.file);
        std::string entry = home / "Zarn2.desktop";
        ASSERT_TRUE(DesktopShortcut::Create(entry, program, false, home / "icon.png"));

        EXPECT_EQ(Validate(entry), 0) << TempDir::ReadBytes(entry);
        struct stat st{};
        ASSERT_EQ(::stat(entry.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0755u);
        std::string text = TempDir::ReadBytes(entry);
        EXPECT_NE(text.find("Icon=zarn2\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("\nPath="), std::string::npos) << text;  // no working folder

        std::filesystem::remove(home / "marker");
        GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(entry.c_str());
        ASSERT_NE(info, nullptr) << text;
        GError* error = nullptr;
        EXPECT_TRUE(g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &error)) << (error ? error->message : "");
        if (error)
            g_error_free(error);
        g_object_unref(info);
        for (int i = 0; i < 100 && !std::filesystem::exists(home / "marker"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(TempDir::ReadBytes(home / "marker"), program);
    }
    // The icon went into the user's icon theme, at the theme's size.
    QImage installed(QString::fromStdString(DesktopShortcut::IconPath()));
    EXPECT_EQ(installed.size(), QSize(64, 64));
    EXPECT_EQ(DesktopShortcut::IconPath(), home / "data/icons/hicolor/64x64/apps/zarn2.png");
}

TEST_F(DesktopShortcutTest, CreateRemoveAndFolders)
{
    std::string missingFolder = home / "applications/Zarn2.desktop";
    EXPECT_FALSE(DesktopShortcut::Create(missingFolder, "/opt/Zarn2", false, home / "no-icon.png"));
    EXPECT_FALSE(DesktopShortcut::Exists(missingFolder));

    ASSERT_TRUE(DesktopShortcut::Create(missingFolder, "/opt/Zarn2", true, home / "no-icon.png"));
    EXPECT_TRUE(DesktopShortcut::Exists(missingFolder));
    // Without an icon to install (and none installed before) the entry names none.
    EXPECT_EQ(TempDir::ReadBytes(missingFolder).find("Icon="), std::string::npos);

    DesktopShortcut::Remove(missingFolder);
    EXPECT_FALSE(DesktopShortcut::Exists(missingFolder));
    DesktopShortcut::Remove(missingFolder);  // already gone: nothing happens
    EXPECT_FALSE(DesktopShortcut::Exists(""));
}

TEST_F(DesktopShortcutTest, StandardPlaces)
{
    ScopedEnv homeVar("HOME", home.Path());
    ScopedEnv config("XDG_CONFIG_HOME", home / "config");
    std::filesystem::create_directories(home / "config");
    EXPECT_EQ(DesktopShortcut::StartMenuPath(), home / "data/applications/Zarn2.desktop");

    struct Case {
        const char* userDirs;
        std::string desktop;
    } cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", home / "Schreibtisch/Zarn2.desktop"},
        {"XDG_DESKTOP_DIR=\"$HOME/\"\n", ""},
        {"XDG_DESKTOP_DIR=\"$HOME\"\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.userDirs);
        TempDir::WriteBytes(home / "config/user-dirs.dirs", c.userDirs);
        EXPECT_EQ(DesktopShortcut::DesktopPath(), c.desktop);
    }
}
