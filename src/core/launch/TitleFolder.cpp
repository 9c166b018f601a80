#include "launch/TitleFolder.h"

#include "platform/FileSystem.h"
#include "platform/UserProcesses.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace {

// Folders many programs share: a program there is no sign of a title's game.
bool IsSharedFolder(const std::string& folder)
{
    static const std::array<std::string_view, 19> kSystem = {
        "/",         "/usr",         "/usr/local", "/usr/local/bin", "/usr/local/games", "/usr/bin", "/usr/games",
        "/usr/sbin", "/bin",         "/sbin",      "/opt",           "/usr/lib",         "/usr/lib64", "/usr/libexec",
        "/usr/share", "/lib",        "/lib64",     "/tmp",           "/var"};
    if (std::find(kSystem.begin(), kSystem.end(), folder) != kSystem.end())
        return true;
    if (const char* home = std::getenv("HOME"); home && FileSystem::Resolved(home) == folder)
        return true;
    std::string_view path = std::getenv("PATH") ? std::getenv("PATH") : "";
    while (!path.empty()) {
        std::string_view entry = path.substr(0, path.find(':'));
        if (!entry.empty() && FileSystem::Resolved(std::string(entry)) == folder)
            return true;
        path = entry.size() < path.size() ? path.substr(entry.size() + 1) : std::string_view();
    }
    return false;
}

bool IsBelow(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() + 1 && path.starts_with(folder) && path[folder.size()] == '/';
}

// "X:\dir\file.exe" as a Unix path, through the drive's link in the Wine prefix the
// process runs in; "" for anything else.
std::string WindowsPathToUnix(const std::string& path, const UserProcess& process)
{
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' || path[2] != '\\')
        return {};
    std::string prefix;
    if (const std::string* own = process.Env("WINEPREFIX"); own && !own->empty())
        prefix = *own;
    else if (const char* home = std::getenv("HOME"))
        prefix = std::string(home) + "/.wine";
    std::string drive = FileSystem::Resolved(prefix + "/dosdevices/" +
                                             static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))) + ":");
    if (drive.empty())
        return {};
    std::string rest = path.substr(2);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return (drive == "/" ? std::string() : drive) + rest;
}

}  // namespace

namespace TitleFolder {

std::string Own(const std::string& folder)
{
    std::string resolved = folder.empty() ? std::string() : FileSystem::Resolved(folder);
    return resolved.empty() || IsSharedFolder(resolved) ? std::string() : resolved;
}

bool Holds(const std::string& folder, const UserProcess& process)
{
    if (IsBelow(process.exePath, folder))
        return true;
    if (process.args.empty())
        return false;
    const std::string& first = process.args[0];
    if (IsBelow(first, folder) || IsBelow(WindowsPathToUnix(first, process), folder))
        return true;
    if (process.args.size() < 2)
        return false;
    const std::string& script = process.args[1];
    return script.substr(script.rfind('/') + 1).substr(0, 15) == process.name && IsBelow(script, folder);
}

}  // namespace TitleFolder

