#include "import/HeroicGames.h"

#include "import/ImportFiles.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <set>

namespace {

// Heroic's library files list every game of an account's stores: they may be large.
constexpr std::uint64_t kMaxFileBytes = 64u << 20;

struct Store {
    const char* runner;
    const char* library;    // below the configuration folder
    const char* listKey;    // the library's array
    const char* installed;  // the store's installed list, or nullptr
    const char* label;
};

constexpr Store kStores[] = {
    {"legendary", "/store_cache/legendary_library.json", "library", "/legendaryConfig/legendary/installed.json",
     "Heroic (Epic)"},
    {"gog", "/store_cache/gog_library.json", "games", "/gog_store/installed.json", "Heroic (GOG)"},
    {"nile", "/store_cache/nile_library.json", "library", "/nile_config/nile/installed.json", "Heroic (Amazon)"},
    {"sideload", "/sideload_apps/library.json", "games", nullptr, "Heroic"},
};

// The JSON document of a file; nullopt when it is not there, or after a line in `found`.
std::optional<QJsonDocument> ReadJson(const std::string& path, FoundGames& found)
{
    std::string bytes;
    if (int error = ImportFiles::Read(path, kMaxFileBytes, bytes)) {
        if (error != ENOENT)
            found.Problem(path, "読めません: " + ImportFiles::ErrorText(error));
        return std::nullopt;
    }
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (error.error != QJsonParseError::NoError) {
        found.Problem(path, "JSON として読めません: " + error.errorString().toStdString() + " (" +
                                std::to_string(error.offset) + " バイト目)");
        return std::nullopt;
    }
    return document;
}

// The app names of a store's installed list: an object keyed by app name (legendary), an
// object whose "installed" array holds "appName" (gog), or an array of objects with "id"
// (nile). Nullopt when the list is not there or cannot be read.
std::optional<std::set<QString>> InstalledNames(const std::string& path, FoundGames& found)
{
    std::optional<QJsonDocument> document = ReadJson(path, found);
    if (!document)
        return std::nullopt;
    std::set<QString> names;
    QJsonArray entries;
    if (document->isObject() && document->object().value(QStringLiteral("installed")).isArray()) {
        entries = document->object().value(QStringLiteral("installed")).toArray();
    } else if (document->isObject()) {
        for (const QString& key : document->object().keys())
            names.insert(key);
        return names;
    } else {
        entries = document->array();
    }
    for (const QJsonValue& entry : entries) {
        QJsonObject object = entry.toObject();
        QString name = object.value(QStringLiteral("appName")).toString();
        names.insert(name.isEmpty() ? object.value(QStringLiteral("id")).toString() : name);
    }
    return names;
}

void ReadStore(const std::string& folder, const Store& store, FoundGames& found)
{
    const std::string path = folder + store.library;
    std::optional<QJsonDocument> document = ReadJson(path, found);
    if (!document)
        return;
    QJsonValue list = document->object().value(QString::fromLatin1(store.listKey));
    if (!document->isObject() || !list.isArray()) {
        found.Problem(path, std::string("\"") + store.listKey + "\" の一覧がありません.");
        return;
    }
    std::optional<std::set<QString>> installed;
    if (store.installed)
        installed = InstalledNames(folder + store.installed, found);
    for (const QJsonValue& value : list.toArray()) {
        QJsonObject game = value.toObject();
        QString appName = game.value(QStringLiteral("app_name")).toString();
        QString title = game.value(QStringLiteral("title")).toString();
        if (appName.isEmpty() || title.isEmpty())
            continue;
        bool isInstalled = installed ? installed->count(appName) > 0
                                     : game.value(QStringLiteral("is_installed")).toBool(!store.installed);
        if (!isInstalled)
            continue;
        QString runner = game.value(QStringLiteral("runner")).toString(QString::fromLatin1(store.runner));
        std::string program = HeroicGames::LaunchUrl(appName.toStdString(), runner.toStdString());
        if (!found.HasProgram(program))
            found.games.push_back({title.toStdString(), store.label, program, "com.heroicgameslauncher.hgl", true});
    }
}

}  // namespace

namespace HeroicGames {

void Find(const std::vector<std::string>& folders, FoundGames& found)
{
    for (const std::string& folder : folders) {
        if (ImportFiles::Resolved(folder).empty())
            continue;
        for (const Store& store : kStores)
            ReadStore(folder, store, found);
    }
}

std::string LaunchUrl(const std::string& appName, const std::string& runner)
{
    auto encoded = [](const std::string& text) {
        return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
    };
    return "heroic://launch?appName=" + encoded(appName) + "&runner=" + encoded(runner);
}

}  // namespace HeroicGames
