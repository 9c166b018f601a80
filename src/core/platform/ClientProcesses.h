#pragma once

#include "platform/ProcessTable.h"

#include <string>
#include <vector>

// The game clients a title may hand its start to (Steam, Lutris, Heroic, itch) and the
// processes Flatpak wraps a sandbox in. A client the play itself started (it was not
// running yet) runs on after the game, so a play never waits for it or for anything it
// starts: the game it starts is followed by its marks instead (launch/GameMarks).
//
// A client is told by its short name (a script's is the script's file name): steam,
// steam.sh, lutris, heroic, itch; the same inside their Flatpak sandboxes. Flatpak's own
// processes (bwrap, xdg-dbus-proxy, flatpak) only wrap what runs in the sandbox.
namespace ClientProcesses {

// Whether a program of this short name (a path's last part) is a client.
bool IsClientName(const std::string& name);

// Of `below` (parents before their children, as ProcessTable::Descendants lists them), the
// processes a play waits for: none of a client's or below one, no sandbox wrapper.
std::vector<ProcessEntry> Waited(const std::vector<ProcessEntry>& below);

}  // namespace ClientProcesses
