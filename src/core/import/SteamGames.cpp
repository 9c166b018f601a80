#include "import/SteamGames.h"

#include "import/ImportFiles.h"
#include "import/KeyValues.h"
#include "platform/SteamLibraryCache.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <set>
#include <string_view>

namespace {

// The client writes these files itself; a larger one is no file of its.
constexpr std::uint64_t kMaxFileBytes = 4u << 20;
// StateFlags: the app is fully installed.
constexpr long kInstalled = 4;

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Parsed text of a client file, or nullptr after a line in `found`.
const KeyValue* ReadBlock(const std::string& path, std::string_view rootKey, KeyValues::Parsed& parsed,
                          FoundGames& found)
{
    std::string bytes;
    if (int error = ImportFiles::Read(path, kMaxFileBytes, bytes)) {
        if (error != ENOENT)
            found.Problem(path, "読めません: " + ImportFiles::ErrorText(error));
        return nullptr;
    }
    parsed = KeyValues::Parse(bytes);
    if (!parsed.problem.empty()) {
        found.Problem(path, "壊れています: " + parsed.problem);
        return nullptr;
    }
    for (const KeyValue& root : parsed.roots) {
        if (root.block && KeyValues::SameKey(root.key, rootKey))
            return &root;
    }
    found.Problem(path, "\"" + std::string(rootKey) + "\" のブロックがありません.");
    return nullptr;
}

struct Search {
    FoundGames& found;
    std::set<std::string> libraries;  // resolved paths read
    std::set<std::string> appIds;

    void Manifest(const std::string& root, const std::string& path, const std::string& fileId)
    {
        KeyValues::Parsed parsed;
        const KeyValue* app = ReadBlock(path, "AppState", parsed, found);
        if (!app)
            return;
        std::string appId = app->Get("appid");
        if (appId.empty())
            appId = fileId;
        const std::string name = app->Get("name");
        if (!IsDigits(appId) || name.empty()) {
            found.Problem(path, "appid か name がありません.");
            return;
        }
        const std::string flags = app->Get("StateFlags");
        bool installed = !IsDigits(flags) || (std::stol(flags.substr(0, 9)) & kInstalled) != 0;
        if (!installed || SteamGames::IsTool(appId, name) || !appIds.insert(appId).second)
            return;
        std::string icon = SteamLibraryCache::IconIn(root, appId);
        found.games.push_back({name, "Steam", "steam://rungameid/" + appId, icon, false});
    }

    void Library(const std::string& root, const std::string& library)
    {
        std::string resolved = ImportFiles::Resolved(library);
        if (resolved.empty() || !libraries.insert(resolved).second)
            return;
        const std::string apps = library + "/steamapps";
        int error = 0;
        std::vector<std::string> names = ImportFiles::Names(apps, ".acf", error);
        if (error != 0 && error != ENOENT)
            found.Problem(apps, "読めません: " + ImportFiles::ErrorText(error));
        constexpr std::string_view kPrefix = "appmanifest_";
        for (const std::string& name : names) {
            std::string id = name.substr(0, name.size() - 4);
            if (!id.starts_with(kPrefix) || !IsDigits(std::string_view(id).substr(kPrefix.size())))
                continue;
            Manifest(root, apps + "/" + name, id.substr(kPrefix.size()));
        }
    }

    void Root(const std::string& root)
    {
        if (ImportFiles::Resolved(root + "/steamapps").empty())
            return;  // no client here
        Library(root, root);
        for (const char* place : {"/steamapps/libraryfolders.vdf", "/config/libraryfolders.vdf"}) {
            const std::string path = root + place;
            std::string bytes;
            int error = ImportFiles::Read(path, kMaxFileBytes, bytes);
            if (error == ENOENT)
                continue;
            if (error != 0) {
                found.Problem(path, "読めません: " + ImportFiles::ErrorText(error));
                continue;
            }
            std::string problem;
            std::vector<std::string> paths = SteamGames::LibraryPaths(bytes, problem);
            if (!problem.empty())
                found.Problem(path, problem);
            for (const std::string& library : paths)
                Library(root, library);
        }
    }
};

}  // namespace

namespace SteamGames {

void Find(const std::vector<std::string>& roots, FoundGames& found)
{
    Search search{found, {}, {}};
    std::set<std::string> seen;
    for (const std::string& root : roots) {
        std::string resolved = ImportFiles::Resolved(root);
        if (!resolved.empty() && seen.insert(resolved).second)
            search.Root(root);
    }
}

bool IsTool(const std::string& appId, const std::string& name)
{
    // The redistributables, the Linux runtimes and the anti-cheat runtimes.
    static const std::array<std::string_view, 6> kToolIds{"228980", "1070560", "1391110", "1628350", "1826330",
                                                          "1161040"};
    if (std::find(kToolIds.begin(), kToolIds.end(), appId) != kToolIds.end())
        return true;
    return name == "Proton" || name.starts_with("Proton ") || name.starts_with("Steam Linux Runtime") ||
           name.starts_with("Steamworks Common Redistributables");
}

std::vector<std::string> LibraryPaths(const std::string& text, std::string& problem)
{
    KeyValues::Parsed parsed = KeyValues::Parse(text);
    std::vector<std::string> paths;
    if (!parsed.problem.empty()) {
        problem = "壊れています: " + parsed.problem;
        return paths;
    }
    const KeyValue* list = nullptr;
    for (const KeyValue& root : parsed.roots) {
        if (root.block && KeyValues::SameKey(root.key, "libraryfolders"))
            list = &root;
    }
    if (!list) {
        problem = "\"libraryfolders\" のブロックがありません.";
        return paths;
    }
    for (const KeyValue& entry : list->children) {
        if (!IsDigits(entry.key))
            continue;  // TimeNextStatsReport, ContentStatsID of older clients
        std::string path = entry.block ? entry.Get("path") : entry.value;
        if (!path.empty() && path.front() == '/')
            paths.push_back(path);
    }
    return paths;
}

}  // namespace SteamGames
