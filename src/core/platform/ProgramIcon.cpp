#include "platform/ProgramIcon.h"

#include "platform/DesktopEntry.h"
#include "platform/DesktopEntryIndex.h"
#include "platform/IUrlHandlers.h"
#include "platform/ProgramKind.h"
#include "platform/SteamLibraryCache.h"

#include <QDir>

namespace {

std::string EntryIcon(const std::string& path)
{
    std::optional<DesktopEntry> entry = DesktopEntry::Read(path);
    return entry ? entry->Icon() : std::string();
}

std::string UrlIcon(const std::string& url)
{
    std::string own = SteamLibraryCache::IconFile(url, QDir::homePath().toStdString());
    if (!own.empty())
        return own;
    std::optional<IUrlHandlers::Handler> handler = UrlHandlers::Get().For(Programs::UrlScheme(url));
    return handler && !handler->desktopFile.empty() ? EntryIcon(handler->desktopFile) : std::string();
}

}  // namespace

namespace ProgramIcon {

std::string For(const std::string& iconSource)
{
    const ProgramKind kind = Programs::Classify(iconSource);
    if (kind == ProgramKind::Missing)
        return Programs::UrlScheme(iconSource).empty() ? std::string() : UrlIcon(iconSource);
    if (kind == ProgramKind::Folder)
        return {};
    if (DesktopEntry::IsEntryPath(iconSource))
        return EntryIcon(iconSource);
    if (kind == ProgramKind::Native || kind == ProgramKind::Script)
        return DesktopEntryIndex::Shared().IconFor(iconSource);
    return {};
}

}  // namespace ProgramIcon
