#include "platform/DesktopEntry.h"
#include "platform/DesktopShortcut.h"
#include "support/ScopedEnv.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

std::string Show(const std::optional<Words>& words)
{
    if (!words)
        return "(none)";
    std::string out;
    for (const std::string& word : *words)
        out += "[" + word + "]";
    return out;
}

// One entry's text after its group line.
DesktopEntry Entry(const std::string& keys, const std::string& path = "/usr/share/applications/game.desktop")
{
    return DesktopEntry::Parse("[Desktop Entry]\nType=Application\nName=Game\n" + keys + "\n", path);
}

}  // namespace

// The Exec line as the launcher runs it: quoting, the file's string escapes, field codes.
TEST(DesktopEntryTest, CommandsFromExec)
{
    struct Case {
        std::string keys;
        std::optional<Words> command;  // started with no file or URL
        Words urls = {};
    } cases[] = {
        {"Exec=gnome-mines", Words{"gnome-mines"}},
        {"Exec=  game   --fullscreen\t-x ", Words{"game", "--fullscreen", "-x"}},
        {R"(Exec="/opt/My Game/run" "a b" "")", Words{"/opt/My Game/run", "a b", ""}},
        // Inside quotes \" \` \$ \\ lose their backslash; the file's own escaping of the
        // backslash comes first, so "\\\\" in the file is one backslash.
        {R"(Exec=sh -c "echo \\"\\$HOME\\" \\`x\\` \\\\ end")", Words{"sh", "-c", R"(echo "$HOME" `x` \ end)"}},
        {R"(Exec=run "\$1")", Words{"run", "$1"}},
        {"Exec=run 'single quoted' back\\\\ slash", Words{"run", "single quoted", "back slash"}},
        {R"(Exec=run\sspaced)", Words{"run", "spaced"}},
        // Field codes without a file: gone, and so is an argument of field codes only.
        {"Exec=game %f %F %u %U --level=%u", Words{"game", "--level="}},
        {"Exec=game %d %D %n %N %v %m", Words{"game"}},
        {"Exec=game 100%% %c %k", Words{"game", "100%", "Game", "/usr/share/applications/game.desktop"}},
        {"Exec=game %i\nIcon=game-icon", Words{"game", "--icon", "game-icon"}},
        {"Exec=game %i", Words{"game"}},
        // A URL handler given the URL.
        {"Exec=steam %U", Words{"steam", "steam://rungameid/10"}, {"steam://rungameid/10"}},
        {"Exec=client --open=%u", Words{"client", "--open=lutris:rungameid/3"}, {"lutris:rungameid/3"}},
        {"Exec=viewer %f", Words{"viewer", "/tmp/a b.txt"}, {"file:///tmp/a%20b.txt"}},
        {"Exec=handler", Words{"handler"}, {"itch://games/1"}},
        // Broken: a quote left open, an unknown field code, nothing to run.
        {R"(Exec="/opt/game)", std::nullopt},
        {"Exec=game 'open", std::nullopt},
        {"Exec=game %x", std::nullopt},
        {"Exec=game 50%", std::nullopt},
        {"Exec=", std::nullopt},
        {"Exec=%f", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(Show(Entry(c.keys).Command(c.urls)), Show(c.command));
    }
}

// The launcher's own shortcut writes Exec values; read back, each gives the program's path.
TEST(DesktopEntryTest, ReadsBackTheExecValuesTheLauncherWrites)
{
    for (const std::string path : {"/opt/zarn2/Zarn2", "/home/a b/Zarn2", "/x/\"q`$v\\w", "/x/100%/Zarn2"}) {
        SCOPED_TRACE(path);
        std::optional<Words> command = Entry("Exec=" + DesktopShortcut::ExecValue(path)).Command();
        ASSERT_TRUE(command);
        // A path with "%" is run through the shell, which gets the path as its $0.
        EXPECT_EQ(command->back(), path) << Show(command);
    }
}

TEST(DesktopEntryTest, NamesIconsAndIds)
{
    const std::string text = "# A comment\n\xEF\xBB\xBF"
                             "[Desktop Action new]\nName=Not this\n"
                             "[Desktop Entry]\r\n"
                             "Type=Application\r\n"
                             "Name = Mines\r\n"
                             "Name[de]=Minen\n"
                             "Name[ja]=マインズ\n"
                             "Name[sr@latin]=Mine\n"
                             "Name=Duplicate\n"
                             "Comment=line\\none\\ttab\\sspace\\\\back\\q\n"
                             "Icon=org.gnome.Mines\n"
                             "X-Flatpak=org.gnome.Mines\n"
                             "[Other Group]\nName=Neither\n";
    DesktopEntry entry = DesktopEntry::Parse(text, "/usr/share/applications/gnome/org.gnome.Mines.desktop");
    EXPECT_TRUE(entry.IsEntry());
    EXPECT_EQ(entry.Name(), "マインズ");
    EXPECT_EQ(entry.Icon(), "org.gnome.Mines");
    EXPECT_EQ(entry.Value("Comment"), "line\none\ttab space\\back\\q");
    EXPECT_EQ(entry.Value("X-Flatpak"), "org.gnome.Mines");
    EXPECT_EQ(entry.Id(), "gnome-org.gnome.Mines.desktop");
    EXPECT_EQ(DesktopEntry::Parse(text, "/home/u/Desktop/mines.desktop").Id(), "mines.desktop");

    struct Case {
        const char* locale;
        const char* name;
    } locales[] = {
        {"ja_JP.UTF-8", "マインズ"}, {"de_DE", "Minen"}, {"sr_RS@latin", "Mine"},
        {"sr_RS", "Mines"},          {"C", "Mines"},
    };
    for (const Case& c : locales) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(entry.LocalizedValue("Name", c.locale), c.name);
    }
    EXPECT_EQ(Entry("Name[ja_JP]=日本\nName[ja]=ja").Name(), "日本");
}

// What keeps an entry from being started, with a program of its own on a private PATH.
TEST(DesktopEntryTest, EntriesThatCannotStartSayWhy)
{
    TempDir dir;
    ScriptFiles::Write(dir / "game", "exit 0");
    ScopedEnv path("PATH", dir.Path());
    using P = DesktopEntry::Problem;
    struct Case {
        std::string text;
        P problem;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nName=G\nExec=game %U\n", P::None},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=" + (dir / "game") + "\nTryExec=game\nNoDisplay=true\n",
         P::None},
        {"[Desktop Entry]\nType=Link\nName=G\nURL=steam://rungameid/1\n", P::None},
        // Not on this PATH, but in the system's program folders (as /usr/games is to root).
        {"[Desktop Entry]\nType=Application\nName=G\nExec=sh -c game\nTryExec=sh\n", P::None},
        {"", P::NotAnEntry},
        {"\x7f" "ELF binary bytes", P::NotAnEntry},
        {"[Desktop Action play]\nExec=game\n", P::NotAnEntry},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=game\nHidden=true\n", P::Hidden},
        {"[Desktop Entry]\nType=Directory\nName=Games\n", P::NotApplication},
        {"[Desktop Entry]\nType=Link\nName=G\n", P::NotApplication},
        {"[Desktop Entry]\nName=G\nExec=game\n", P::NotApplication},
        {"[Desktop Entry]\nType=Application\nName=G\nDBusActivatable=true\n", P::NoCommand},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=\"game\n", P::BrokenCommand},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=game %z\n", P::BrokenCommand},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=game\nTryExec=no-such-game\n", P::NotInstalled},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=no-such-game\n", P::NotInstalled},
        {"[Desktop Entry]\nType=Application\nName=G\nExec=" + dir.Path() + "\n", P::NotInstalled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DesktopEntry::Parse(c.text).Check(), c.problem);
    }
}

TEST(DesktopEntryTest, ReadsOnlyRegularFilesOfBoundedSize)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "g.desktop", "[Desktop Entry]\nName=G\n");
    TempDir::WriteBytes(dir / "huge.desktop", std::string(DesktopEntry::kMaxBytes + 1, '#'));
    std::filesystem::create_directory(dir / "folder.desktop");
    ASSERT_TRUE(DesktopEntry::Read(dir / "g.desktop"));
    EXPECT_EQ(DesktopEntry::Read(dir / "g.desktop")->FilePath(), dir / "g.desktop");
    EXPECT_FALSE(DesktopEntry::Read(dir / "huge.desktop"));
    EXPECT_FALSE(DesktopEntry::Read(dir / "folder.desktop"));
    EXPECT_FALSE(DesktopEntry::Read(dir / "missing.desktop"));
    EXPECT_TRUE(DesktopEntry::IsEntryPath("/a/b.desktop"));
    EXPECT_FALSE(DesktopEntry::IsEntryPath(".desktop"));
    EXPECT_FALSE(DesktopEntry::IsEntryPath("/a/b.desktop.bak"));
}
