#pragma once

#include <string>

struct UserProcess;

// The folder rule of a handed-off game: a title whose program lies in a folder of its own
// knows its game by that folder.
namespace TitleFolder {

// The folder as the processes' paths show it (every link resolved); "" for one that does
// not exist or that many programs share (the root, /usr/bin, /usr/games and the like, the
// home folder, a folder on PATH).
std::string Own(const std::string& folder);

// Whether the program a process runs lies under `folder` (as Own gives it): its
// executable; for a script, the script, which the kernel names the process after and
// passes as the interpreter's first argument; under Wine, the Windows program, whose path
// Wine puts first on the command line, through the drive links of the process's prefix.
bool Holds(const std::string& folder, const UserProcess& process);

}  // namespace TitleFolder
