#pragma once

#include <string>
#include <string_view>
#include <vector>

// The sandboxes Flatpak runs for this user. Each instance keeps a folder of its own under
// "$XDG_RUNTIME_DIR/.flatpak/<instance id>": "info", the same key file the sandbox holds
// at its root as ".flatpak-info" ([Application] name=<app id>), and "bwrapinfo.json",
// whose "child-pid" is the sandbox's first process; every process of the instance is that
// one or below it.
namespace FlatpakInstances {

struct Instance {
    std::string app;
    int childPid = 0;
};

// The instances of applications whose folders can be read; runtimes' and unreadable ones
// are left out.
std::vector<Instance> List(const std::string& runtimeDir);

// The application an information file names in its [Application] group; "" for a
// runtime's, or for anything that is not such a file.
std::string AppOf(std::string_view info);

}  // namespace FlatpakInstances
