#include "platform/IShellOpen.h"

#include "platform/LinuxShellOpen.h"

namespace {
IShellOpen* g_service = nullptr;
}  // namespace

namespace ShellOpen {

IShellOpen& Get()
{
    static LinuxShellOpen desktop;
    return g_service ? *g_service : desktop;
}

void Set(IShellOpen* service) { g_service = service; }

int Open(const std::string& path, const std::string& workingDir) { return Get().Open(path, workingDir); }

void Start(const std::string& path, const std::string& workingDir) { Get().Start(path, workingDir); }

}  // namespace ShellOpen
