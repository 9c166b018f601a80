#include "import/DesktopGames.h"

#include "platform/DesktopEntry.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace {

// The subfolders of "applications" that desktop entries use are shallow (a vendor's
// folder, one level); a deeper tree is no menu's.
constexpr int kMaxDepth = 4;

// The game clients whose games are found through them: their own entries (Categories
// holds Game) start the client, not a game. An entry that opens their URLs is one; older
// packages that do not say so are known by their ids.
constexpr std::array<std::string_view, 4> kClientSchemes{"steam", "steamlink", "lutris", "heroic"};
constexpr std::array<std::string_view, 6> kClientIds{"steam.desktop",  "com.valvesoftware.Steam.desktop",
                                                     "lutris.desktop", "net.lutris.Lutris.desktop",
                                                     "heroic.desktop", "com.heroicgameslauncher.hgl.desktop"};

bool IsGameClient(const DesktopEntry& entry)
{
    const std::string types = entry.Value("MimeType");
    return std::find(kClientIds.begin(), kClientIds.end(), entry.Id()) != kClientIds.end() ||
           std::any_of(kClientSchemes.begin(), kClientSchemes.end(), [&types](std::string_view scheme) {
               return DesktopGames::HasCategory(types, "x-scheme-handler/" + std::string(scheme));
           });
}

struct Search {
    FoundGames& found;
    std::set<std::string> ids;
    std::set<std::string> clientUrls;  // the programs of the games found through their clients

    void Folder(const std::string& folder, int depth)
    {
        int error = 0;
        std::vector<FileSystem::FolderEntry> entries = FileSystem::FolderEntries(folder, error);
        std::sort(entries.begin(), entries.end(),
                  [](const FileSystem::FolderEntry& a, const FileSystem::FolderEntry& b) { return a.name < b.name; });
        for (const FileSystem::FolderEntry& entry : entries) {
            const std::string path = folder + "/" + entry.name;
            if (DesktopEntry::IsEntryPath(entry.name))
                Entry(path);
            else if (!entry.regular && depth < kMaxDepth && FileSystem::Stat(path).folder)
                Folder(path, depth + 1);
        }
    }

    // Whether the entry's command starts a game found through its client.
    bool StartsClientGame(const DesktopEntry& entry) const
    {
        std::optional<std::vector<std::string>> words = entry.ExecArguments();
        return words && std::any_of(words->begin(), words->end(),
                                    [this](const std::string& word) { return clientUrls.count(word) > 0; });
    }

    void Entry(const std::string& path)
    {
        std::optional<DesktopEntry> entry = DesktopEntry::Read(path);
        // An entry's id found first hides the later ones, whatever they hold.
        if (!entry || !entry->IsEntry() || !ids.insert(entry->Id()).second)
            return;
        if (!DesktopGames::HasCategory(entry->Value("Categories"), "Game") || entry->Flag("NoDisplay") ||
            IsGameClient(*entry) || entry->Check() != DesktopEntry::Problem::None || StartsClientGame(*entry))
            return;
        std::string name = entry->Name();
        if (name.empty())
            name = entry->Id().substr(0, entry->Id().size() - 8);
        std::string icon = entry->Icon();
        bool themed = !icon.empty() && icon.front() != '/';
        found.games.push_back({name, "デスクトップ", path, icon, themed});
    }
};

}  // namespace

namespace DesktopGames {

void Find(const std::vector<std::string>& folders, FoundGames& found)
{
    Search search{found, {}, {}};
    for (const FoundGame& game : found.games)
        search.clientUrls.insert(game.program);
    for (const std::string& folder : folders)
        search.Folder(folder, 0);
}

bool HasCategory(std::string_view categories, std::string_view category)
{
    while (!categories.empty()) {
        size_t end = categories.find(';');
        if (categories.substr(0, end) == category)
            return true;
        if (end == std::string_view::npos)
            break;
        categories.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace DesktopGames
