#include "platform/WineProcesses.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 8> kServicePrograms = {
    "services.exe", "winedevice.exe", "plugplay.exe", "explorer.exe",
    "rpcss.exe",    "svchost.exe",    "conhost.exe",  "winemenubuilder.exe"};
constexpr std::array<std::string_view, 2> kSystemFolders = {"\\windows\\system32\\", "\\windows\\syswow64\\"};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsWineServer(std::string_view name)
{
    constexpr std::string_view kServer = "wineserver";
    if (name.substr(0, kServer.size()) != kServer)
        return false;
    std::string_view bits = name.substr(kServer.size());
    return bits.empty() || bits == "32" || bits == "64";
}

// "C:\windows\system32\services.exe" and the like, in any case.
bool IsServiceProgramPath(std::string_view path)
{
    std::string lower = Lower(path);
    if (lower.size() < 3 || !std::isalpha(static_cast<unsigned char>(lower[0])) || lower[1] != ':')
        return false;
    std::string_view rest = std::string_view(lower).substr(2);
    for (std::string_view folder : kSystemFolders) {
        if (rest.substr(0, folder.size()) != folder)
            continue;
        std::string_view file = rest.substr(folder.size());
        return std::find(kServicePrograms.begin(), kServicePrograms.end(), file) != kServicePrograms.end();
    }
    return false;
}

} // namespace

namespace WineProcesses {

bool IsBackground(const ProcessEntry& process)
{
    if (IsWineServer(process.exeName) || IsWineServer(process.name))
        return true;
    if (process.args.empty())
        return false;
    if (IsServiceProgramPath(process.args[0]))
        return true;
    // A loader that has not (yet) put the program's path first names it second.
    bool loader = process.exeName.substr(0, 4) == "wine";
    return loader && process.args.size() > 1 && IsServiceProgramPath(process.args[1]);
}

} // namespace WineProcesses
