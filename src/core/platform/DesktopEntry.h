#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A desktop entry (.desktop file: the games menu's, ~/.local/share/applications, Flatpak's
// exports, one dropped from the file manager), read by freedesktop.org's rules for desktop
// entries: the keys of its [Desktop Entry] group with their string escapes undone,
// localized values, and the Exec command line with its quoting undone and its field codes
// expanded. Parse works on bytes alone and touches nothing; Check and Read look at the
// file system.
class DesktopEntry {
public:
    // Why an entry cannot be started as a program.
    enum class Problem {
        None,
        NotAnEntry,      // no [Desktop Entry] group: not a desktop entry, or damaged
        Hidden,          // Hidden=true: the entry counts as deleted
        NotApplication,  // Type is not Application (nor a Link with a URL)
        NoCommand,       // an application without Exec
        BrokenCommand,   // Exec's quoting is unterminated, or it holds an unknown field code
        NotInstalled,    // TryExec, or the command's program, is not there
        NoTerminal       // Terminal=true, and the desktop has no terminal program
    };

    // The desktop's terminal program on Debian (its alternatives choose which), which runs
    // the command after "-e".
    static constexpr const char* kTerminal = "x-terminal-emulator";

    // Entries larger than this are not read.
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;
    // The titles' names are Japanese: Name[ja_JP], Name[ja], then Name.
    static constexpr std::string_view kLocale = "ja_JP";

    // An entry from the file's bytes; `path` is where it was read (for %k and its id).
    static DesktopEntry Parse(std::string_view bytes, std::string path = {});
    // The entry in the file; nothing when it cannot be read (not a regular file, too large),
    // and then `error` (when given) receives the errno (EFBIG: larger than kMaxBytes).
    static std::optional<DesktopEntry> Read(const std::string& path, int* error = nullptr);
    // Whether the path names a desktop entry file (by its ".desktop" ending).
    static bool IsEntryPath(std::string_view path);

    // The value of the key in the [Desktop Entry] group, escapes undone; "" when absent.
    std::string Value(std::string_view key) const;
    bool Has(std::string_view key) const;
    // The key's value for the locale ("lang_COUNTRY.ENCODING@MODIFIER") by the matching
    // order lang_COUNTRY@MODIFIER, lang_COUNTRY, lang@MODIFIER, lang, then the plain key.
    std::string LocalizedValue(std::string_view key, std::string_view locale = kLocale) const;
    // A boolean key: true only for "true".
    bool Flag(std::string_view key) const { return Value(key) == "true"; }

    bool IsEntry() const { return m_bEntry; }
    std::string Type() const { return Value("Type"); }
    std::string Name() const { return LocalizedValue("Name"); }
    std::string Icon() const { return LocalizedValue("Icon"); }
    const std::string& FilePath() const { return m_path; }
    // The desktop file id: the path below its "applications" folder with "/" made "-",
    // else the file's name.
    std::string Id() const;

    // Exec split into its arguments with the quoting undone, field codes left as they are:
    // in double quotes a backslash keeps the next of " ` $ and itself; as a shell would, a
    // backslash outside quotes keeps the next character and single quotes keep everything
    // up to the next one. Nothing when a quote is not closed.
    std::optional<std::vector<std::string>> ExecArguments() const;
    // The command to run, field codes expanded: %f %F %u %U give the URLs (a file: URL as
    // its path for %f %F), and nothing when none is given; %i "--icon <Icon>"; %c the
    // name; %k the entry's file; %% a "%"; the deprecated %d %D %n %N %v %m nothing. An
    // argument that was only field codes expanding to nothing is left out. Nothing when
    // Exec is missing, its quoting is broken or it holds an unknown field code.
    std::optional<std::vector<std::string>> Command(const std::vector<std::string>& urls = {}) const;

    // The first problem that keeps the entry from being started, Problem::None when it can
    // be (TryExec and the command's program are looked for as a desktop session finds
    // them, Programs::FindProgram, or as executable files; the terminal on PATH).
    Problem Check() const;
    // Whether this is a Type=Link entry, which opens its URL key.
    bool IsLink() const;

    // What starts an application entry: its command (a program PATH lacks by the path it
    // was found at, such as /usr/games/<name> when PATH has no /usr/games), in the
    // desktop's terminal for Terminal=true ("x-terminal-emulator -e <command>"), and the
    // folder it runs in (Path, else the home folder). Nothing when Check() finds a
    // problem, and for a link.
    struct Start {
        std::vector<std::string> argv;
        std::string folder;
    };
    std::optional<Start> StartCommand(const std::vector<std::string>& urls = {}) const;

private:
    std::string m_path;
    bool m_bEntry = false;
    std::vector<std::pair<std::string, std::string>> m_values;  // key (with locale), raw value
};
