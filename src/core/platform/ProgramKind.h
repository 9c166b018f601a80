#pragma once

#include <optional>
#include <string>

// What a file is to the launcher when it has to start or open it. Decided by the file's
// type (its content and name, as the desktop's type database sees them), never by the
// execute bit alone: files on Windows partitions often carry execute bits they do not mean.
enum class ProgramKind {
    Missing,  // nothing at that path
    Folder,
    Native,   // a Linux program (ELF executable)
    Script,   // a text file that starts with "#!"
    Windows,  // a Windows program (.exe), run through Wine
    Document  // anything else: handed to the desktop's opener
};

namespace Programs {
ProgramKind Classify(const std::string& path);
// Whether the file may be executed by the current user (execute bit and access rights).
bool IsExecutable(const std::string& path);
// The Wine loader when it is installed (found on PATH), else "".
std::string FindWine();
// A program found on PATH (for names without "/"), else "".
std::string FindOnPath(const std::string& name);
// A program named without "/" as a desktop session finds it: on PATH, else in the system's
// program folders that a desktop's PATH holds (/usr/local/bin, /usr/bin, /bin,
// /usr/local/games, /usr/games), which root's PATH, sudo's or a terminal's may lack: the
// games menu names the programs in /usr/games by their bare names. "" when none has it.
std::string FindProgram(const std::string& name);
// Whether a Windows program is a 32-bit one, read from its headers; nothing when the file
// cannot be read or is no Windows program of either kind.
std::optional<bool> IsWindows32Bit(const std::string& path);
// The scheme of a URL ("steam" of "steam://rungameid/10"), lower-cased; "" for anything
// else. A scheme is a letter, then letters, digits, "+", "-" or "."; one letter alone
// would be a Windows drive ("C:\Games"), so at least two are needed.
std::string UrlScheme(const std::string& text);
}  // namespace Programs
