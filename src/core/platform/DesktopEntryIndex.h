#pragma once

#include <map>
#include <string>
#include <vector>

// The icons the desktop's applications name for their programs: every desktop entry in the
// applications folders, by the program its Exec or TryExec names, read once when first
// asked (never at the launcher's start: only a title whose icon source is a Linux program
// asks).
class DesktopEntryIndex {
public:
    // The entries in these folders and below them, the first folder's first.
    explicit DesktopEntryIndex(const std::vector<std::string>& folders);

    // The index of the user's and the system's applications folders ($XDG_DATA_HOME and
    // $XDG_DATA_DIRS), made at the first call.
    static const DesktopEntryIndex& Shared();

    // The Icon of the first entry whose Exec or TryExec names the program (by its path, or
    // by a name that PATH leads to the same file); "" when none does.
    std::string IconFor(const std::string& program) const;

private:
    void Add(const std::string& program, const std::string& icon);

    std::map<std::string, std::string> m_byPath;  // real path -> icon
    std::map<std::string, std::string> m_byName;  // bare name -> icon (the first entry's)
};
