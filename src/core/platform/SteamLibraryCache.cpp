#include "platform/SteamLibraryCache.h"

#include "platform/FileSystem.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool IsFile(const std::string& path)
{
    FileSystem::Status status = FileSystem::Stat(path);
    return status.error == 0 && !status.folder;
}

// The icon in a game's cache folder is named after its content hash.
bool IsHashName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".jpg";
    if (name.size() != 40 + kSuffix.size() || !name.ends_with(kSuffix))
        return false;
    return std::all_of(name.begin(), name.end() - kSuffix.size(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::vector<FileSystem::FolderEntry> SortedEntries(const std::string& folder)
{
    int error = 0;
    std::vector<FileSystem::FolderEntry> entries = FileSystem::FolderEntries(folder, error);
    std::sort(entries.begin(), entries.end(),
              [](const FileSystem::FolderEntry& a, const FileSystem::FolderEntry& b) { return a.name < b.name; });
    return entries;
}

std::string HashNamedIn(const std::string& folder)
{
    for (const FileSystem::FolderEntry& entry : SortedEntries(folder)) {
        const std::string path = folder + "/" + entry.name;
        if (IsHashName(entry.name) && (entry.regular || IsFile(path)))
            return path;
    }
    return {};
}

}  // namespace

namespace SteamLibraryCache {

std::string GameId(const std::string& url)
{
    static const QRegularExpression pattern(QStringLiteral("^steam://(?:rungameid|run|launch)/(\\d+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = pattern.match(QString::fromStdString(url));
    return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

std::string IconIn(const std::string& root, const std::string& appId)
{
    const std::string cache = root + "/appcache/librarycache";
    if (std::string flat = cache + "/" + appId + "_icon.jpg"; IsFile(flat))
        return flat;
    const std::string folder = cache + "/" + appId;
    if (std::string icon = HashNamedIn(folder); !icon.empty())
        return icon;
    for (const FileSystem::FolderEntry& entry : SortedEntries(folder)) {
        const std::string sub = folder + "/" + entry.name;
        if (!entry.regular && FileSystem::Stat(sub).folder) {
            if (std::string icon = HashNamedIn(sub); !icon.empty())
                return icon;
        }
    }
    return {};
}

std::string IconFile(const std::string& url, const std::string& home)
{
    const std::string id = GameId(url);
    if (id.empty())
        return {};
    for (const char* root :
         {"/.steam/steam", "/.local/share/Steam", "/.var/app/com.valvesoftware.Steam/data/Steam",
          "/.var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        if (std::string icon = IconIn(home + root, id); !icon.empty())
            return icon;
    }
    return {};
}

}  // namespace SteamLibraryCache
