#pragma once

#include "platform/UserProcesses.h"

#include <cstdint>
#include <string>
#include <vector>

struct GameMarks;

// One look through this user's processes for a title's game (GameMarks). Every process's
// stat line is read; only those that started since the play began are read further (their
// command line, executable, the environment variables the marks need, their sandbox), and,
// when asked, once, the older ones too, to tell a copy of the game that was already open.
namespace GameLook {

struct Result {
    std::vector<UserProcess> found;  // marked processes started since the play began
    bool openCopy = false;           // a marked process that ran before (when asked for)
};

// `processes` lists them since the play's start (kept from one look to the next, so older
// processes are read once). `runtimeDir` holds Flatpak's instance folders ("" for
// $XDG_RUNTIME_DIR). The launcher's own process is never a game.
Result Run(const GameMarks& marks, UserProcessList& processes, bool withOpenCopies, const std::string& runtimeDir = {});

// The distinct short names of `processes`, in pid order, joined by ", ".
std::string Names(std::vector<UserProcess> processes);

}  // namespace GameLook
