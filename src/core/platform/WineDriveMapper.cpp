#include "platform/WineDriveMapper.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string PrefixFromEnvironment()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.wine";
    return {};
}

bool IsFolder(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EntryExists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;  // a dangling link is an entry too
}

}  // namespace

WineDriveMapper::WineDriveMapper()
{
    std::string prefix = PrefixFromEnvironment();
    if (!prefix.empty())
        m_dosdevices = prefix + "/dosdevices";
}

WineDriveMapper::WineDriveMapper(std::string dosdevicesDir) : m_dosdevices(std::move(dosdevicesDir)) {}

std::string WineDriveMapper::LinkPath(char letter) const
{
    std::string name;
    name.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
    name.push_back(':');
    return m_dosdevices + "/" + name;
}

std::string WineDriveMapper::Map(const std::string& folder) const
{
    if (folder.empty() || m_dosdevices.empty() || !IsFolder(m_dosdevices))
        return {};
    for (char letter = 'L'; letter <= 'Y'; ++letter) {
        std::string link = LinkPath(letter);
        if (EntryExists(link) || EntryExists(link + ":"))
            continue;
        if (::symlink(folder.c_str(), link.c_str()) == 0)
            return std::string(1, letter) + ":";
        if (errno != EEXIST)
            return {};
    }
    return {};
}

void WineDriveMapper::Unmap(const std::string& drive, const std::string& folder) const
{
    if (drive.size() != 2 || drive[1] != ':' || m_dosdevices.empty())
        return;
    std::string link = LinkPath(drive[0]);
    char target[PATH_MAX];
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n < 0)
        return;
    target[n] = '\0';
    if (folder == target)
        ::unlink(link.c_str());
}
