#pragma once

#include <string>
#include <vector>

// What the start of a timed title handed the game to: the command the launcher runs under
// its wait, or the URL it gave the desktop's handler. A play keeps it for its whole length
// (CTitleProcess::Program()), so whoever follows the game after the started command has
// ended, or after it passed the request to a client that was already running, knows what
// was asked for: the URL (a client's game id is in it), the desktop entry (a Flatpak
// application's id), the command line and the folder.
//
// Made by TitleCommand::For from the title's stored program; stable for callers.
struct StartedProgram {
    enum class Kind {
        Program,       // a Linux program or "#!" script, run directly
        Windows,       // a Windows program, run as "wine <path>"
        DesktopEntry,  // the command of a desktop entry (.desktop file)
        Url            // a URL, opened by the desktop's handler for its scheme
    };

    Kind kind = Kind::Program;
    // The title's program exactly as stored: a path, a desktop entry's path or a URL.
    std::string target;
    // What runs under the launcher's wait, program first (looked up on PATH when it has no
    // "/"): the program itself; "wine" and the program; the entry's Exec with its field
    // codes expanded; the URL handler's Exec given the URL. Empty when the URL was handed
    // to the desktop without a command to wait for (a handler started over D-Bus): the
    // play then has nothing of its own to wait for.
    std::vector<std::string> argv;
    // The working folder of argv: the program's folder, the entry's Path (else the home
    // folder), the home folder for a URL's handler.
    std::string folder;
    // Url: the URL as stored. DesktopEntry: the first argument of its command that is a URL
    // ("steam steam://rungameid/N"), else empty.
    std::string url;
    // DesktopEntry: the entry's desktop file id ("org.gnome.Mines.desktop") and its file.
    // Url: those of the handler that opens the URL's scheme, when it is known.
    std::string desktopId;
    std::string desktopFile;
    // The Flatpak application that entry starts (its X-Flatpak key), else empty.
    std::string flatpakApp;

    // Whether argv runs under the launcher's own wait (else the URL was handed over).
    bool Waited() const { return !argv.empty(); }
};
