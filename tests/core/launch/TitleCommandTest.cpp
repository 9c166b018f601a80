#include "launch/TitleCommand.h"
#include "platform/DesktopEntry.h"
#include "support/FakeUrlHandlers.h"
#include "support/FakeWineInstall.h"
#include "support/ScopedEnv.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdint>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The headers of a Windows program, as far as its bitness goes: a DOS header pointing at
// the PE signature, the file header and the optional header's magic.
std::string ProgramHeaders(bool pe32)
{
    std::string bytes(0x40 + 24 + 2, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x40;
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    bytes[0x40 + 24] = 0x0B;
    bytes[0x40 + 25] = pe32 ? 0x01 : 0x02;
    return bytes;
}

std::string Words(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& word : words)
        out += "[" + word + "]";
    return out;
}

class TitleCommandTest : public ::testing::Test {
protected:
    TitleCommandTest()
    {
        fs::create_directories(dir / "bin");
        fs::create_directories(dir / "apps");
        ScriptFiles::Write(dir / "bin/client", "exit 0");
        ScriptFiles::Write(dir / "bin/game", "exit 0");
        TempDir::WriteBytes(dir / "apps/client.desktop",
                            "[Desktop Entry]\nType=Application\nName=Client\nExec=client --open %u\n"
                            "X-Flatpak=com.example.Client\n");
        urls.handlers["steam"] = {"client.desktop", dir / "apps/client.desktop"};
        urls.handlers["lutris"] = {"lutris.desktop", ""};
    }

    std::string Entry(const std::string& name, const std::string& keys)
    {
        TempDir::WriteBytes(dir / name, "[Desktop Entry]\nName=Game\n" + keys + "\n");
        return dir / name;
    }

    TempDir dir;
    ScopedEnv path{"PATH", dir / "bin"};
    FakeUrlHandlers urls;
    FakeWineInstall wine{"/usr/bin/wine", false};
};

}  // namespace

// What each kind of stored program starts, and the description the play keeps of it.
TEST_F(TitleCommandTest, EachKindOfProgramGetsItsCommand)
{
    using Kind = StartedProgram::Kind;
    const std::string home = QDir::homePath().toStdString();
    ScriptFiles::Write(dir / "bin/x-terminal-emulator", "exit 0");
    TempDir::WriteBytes(dir / "Game64.exe", ProgramHeaders(false));
    TempDir::WriteBytes(dir / "Dos.exe", "MZ");
    const std::string script = ScriptFiles::Write(dir / "run.sh", "exit 0");
    // A program PATH lacks, found in the system's program folders (/usr/games to root).
    std::string sh;
    for (const char* folder : {"/usr/local/bin/", "/usr/bin/", "/bin/"}) {
        if (sh.empty() && fs::exists(std::string(folder) + "sh"))
            sh = std::string(folder) + "sh";
    }
    struct Case {
        std::string stored;
        Kind kind;
        std::string argv;
        std::string folder;
        std::string url = {};
        std::string desktopId = {};
        std::string flatpak = {};
    } cases[] = {
        {script, Kind::Program, "[" + script + "]", "/folder"},
        {dir / "Game64.exe", Kind::Windows, "[/usr/bin/wine][" + dir / "Game64.exe]", "/folder"},
        {dir / "Dos.exe", Kind::Windows, "[/usr/bin/wine][" + dir / "Dos.exe]", "/folder"},
        // A URL runs its handler's own command, given the URL, or is handed to the desktop.
        {"steam://rungameid/10", Kind::Url, "[client][--open][steam://rungameid/10]", home, "steam://rungameid/10",
         "client.desktop", "com.example.Client"},
        {"LUTRIS:rungameid/3", Kind::Url, "", home, "LUTRIS:rungameid/3", "lutris.desktop"},
        {Entry("args.desktop", "Type=Application\nExec=game --level \"2 b\" %U\nPath=/opt/game"), Kind::DesktopEntry,
         "[game][--level][2 b]", "/opt/game"},
        {Entry("client-game.desktop", "Type=Application\nExec=client steam://rungameid/70\nX-Flatpak=org.Game"),
         Kind::DesktopEntry, "[client][steam://rungameid/70]", home, "steam://rungameid/70", "client-game.desktop",
         "org.Game"},
        {Entry("term.desktop", "Type=Application\nExec=game\nTerminal=true"), Kind::DesktopEntry,
         "[x-terminal-emulator][-e][game]", home},
        {Entry("system.desktop", "Type=Application\nExec=sh -c game"), Kind::DesktopEntry, "[" + sh + "][-c][game]",
         home},
        {Entry("link.desktop", "Type=Link\nURL=steam://run/20"), Kind::Url, "[client][--open][steam://run/20]", home,
         "steam://run/20", "client.desktop", "com.example.Client"},
        // Not URLs: a file of that name, a Windows drive.
        {"C:/Games/run.exe", Kind::Program, "[C:/Games/run.exe]", "/folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        TitleCommand::Plan plan = TitleCommand::For(c.stored, "/folder");
        ASSERT_TRUE(plan.program) << plan.refusal;
        const StartedProgram& program = *plan.program;
        EXPECT_EQ(program.kind, c.kind);
        EXPECT_EQ(program.target, c.stored);
        EXPECT_EQ(Words(program.argv), c.argv);
        EXPECT_EQ(program.folder, c.folder);
        EXPECT_EQ(program.url, c.url);
        if (!c.desktopId.empty()) {
            EXPECT_EQ(program.desktopId, c.desktopId);
        }
        EXPECT_EQ(program.flatpakApp, c.flatpak);
    }
    EXPECT_TRUE(urls.opened.empty());  // planning opens nothing
}

// Programs refused before anything starts, each with a message that says why.
TEST_F(TitleCommandTest, WhatCannotStartIsRefusedWithItsReason)
{
    TempDir::WriteBytes(dir / "Game32.exe", ProgramHeaders(true));
    struct Case {
        std::string stored;
        std::string says;
    } cases[] = {
        {dir / "Game32.exe", "sudo dpkg --add-architecture i386 && sudo apt update && sudo apt install wine32"},
        {"itch://games/5", "URL itch://games/5 を開くプログラムがありません.\nitch: の URL"},
        // URLs that name nothing to open, though steam: has a handler.
        {"steam:", "URL steam: には開く先がありません (steam: の後が空です)."},
        {"steam://", "URL steam:// には開く先がありません"},
        {"steam://rungameid/10 -fullscreen", "空白か制御文字が含まれています.\nURL の中の空白は %20 と書いて下さい."},
        {"file:///usr/games/x%20y", "ファイルのパス /usr/games/x y を入力して下さい."},
        {Entry("hidden.desktop", "Type=Application\nExec=game\nHidden=true"), "Hidden=true"},
        {Entry("folder.desktop", "Type=Directory"), "(Type=Directory)"},
        {Entry("broken.desktop", "Type=Application\nExec=\"game"), "(Exec=\"game)"},
        {Entry("gone.desktop", "Type=Application\nExec=game\nTryExec=gone-game"), "プログラム gone-game が"},
        {Entry("nocmd.desktop", "Type=Application\nExec=missing-game --x"), "プログラム missing-game が"},
        {Entry("term.desktop", "Type=Application\nExec=game\nTerminal=true"), "x-terminal-emulator"},
        {dir / "elf.desktop", "[Desktop Entry]"},
        {dir / "huge.desktop", "ファイルが大きすぎます"},
        // A title made by the play import from a CSV file, which names no program.
        {"", "実行ファイルが登録されていません"},
    };
    TempDir::WriteBytes(dir / "elf.desktop", "\x7f" "ELF");
    TempDir::WriteBytes(dir / "huge.desktop", "[Desktop Entry]\n" + std::string(DesktopEntry::kMaxBytes, '#'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        TitleCommand::Plan plan = TitleCommand::For(c.stored, dir.Path());
        EXPECT_FALSE(plan.program);
        EXPECT_NE(plan.refusal.find(c.says), std::string::npos) << plan.refusal;
    }
    // With Wine's 32-bit part the same program runs.
    wine.runs32Bit = true;
    TitleCommand::Plan plan = TitleCommand::For(dir / "Game32.exe", dir.Path());
    ASSERT_TRUE(plan.program);
    EXPECT_EQ(plan.program->kind, StartedProgram::Kind::Windows);
}
