#pragma once

#include "platform/IShellOpen.h"

#include <string>
#include <vector>

// Stands in for the desktop's open: records "path|folder" of every call and returns
// `result`. Installs itself while it lives.
class ScriptedShellOpen final : public IShellOpen {
public:
    int Open(const std::string& path, const std::string& workingDir) override
    {
        calls.push_back(path + "|" + workingDir);
        return result;
    }

    std::vector<std::string> calls;
    int result = kStarted;

private:
    ShellOpen::Override m_install{*this};
};
