#include "platform/ClientProcesses.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 5> kClients = {"steam", "steam.sh", "lutris", "heroic", "itch"};
constexpr std::array<std::string_view, 3> kSandboxWrappers = {"bwrap", "xdg-dbus-proxy", "flatpak"};

template <std::size_t N>
bool Named(const ProcessEntry& process, const std::array<std::string_view, N>& names)
{
    return std::find(names.begin(), names.end(), process.name) != names.end();
}

}  // namespace

namespace ClientProcesses {

bool IsClientName(const std::string& name)
{
    return std::find(kClients.begin(), kClients.end(), name) != kClients.end();
}

std::vector<ProcessEntry> Waited(const std::vector<ProcessEntry>& below)
{
    std::set<int> clients;
    std::vector<ProcessEntry> waited;
    for (const ProcessEntry& process : below) {
        if (IsClientName(process.name) || clients.count(process.ppid)) {
            clients.insert(process.pid);
            continue;
        }
        if (!Named(process, kSandboxWrappers))
            waited.push_back(process);
    }
    return waited;
}

}  // namespace ClientProcesses
