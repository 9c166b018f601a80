#pragma once

#include <string>
#include <vector>

// One process as /proc shows it.
struct ProcessEntry {
    int pid = 0;
    int ppid = 0;
    char state = '?';              // R, S, D, T, Z, ...
    std::string name;              // the kernel's short name (comm)
    std::vector<std::string> args; // the first two words of its command line
    std::string exeName;           // the file name of its executable, "" when unknown
};

namespace ProcessTable {
// The calling process.
int Self();
// The processes below `ancestor` (its children, their children, ...) that have not ended;
// ended ones not yet reaped (zombies) are left out.
std::vector<ProcessEntry> Descendants(int ancestor);
} // namespace ProcessTable
