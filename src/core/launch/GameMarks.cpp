#include "launch/GameMarks.h"

#include "launch/StartedProgram.h"
#include "launch/TitleFolder.h"
#include "platform/ClientProcesses.h"
#include "platform/FileSystem.h"
#include "platform/ProgramKind.h"
#include "platform/UserProcesses.h"
#include "platform/WineProcesses.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 4> kClientApps = {"com.valvesoftware.Steam", "net.lutris.Lutris",
                                                        "com.heroicgameslauncher.hgl", "io.itch.itch"};
// Options of "flatpak run" that take a value, when it is written as the next word.
constexpr std::array<std::string_view, 22> kFlatpakValueOptions = {
    "--arch",   "--branch",      "--command",     "--cwd",         "--runtime",      "--runtime-version",
    "--commit", "--runtime-commit", "--filesystem", "--nofilesystem", "--socket",       "--nosocket",
    "--device", "--nodevice",    "--share",       "--unshare",     "--allow",        "--disallow",
    "--env",    "--unset-env",   "--talk-name",   "--own-name"};
constexpr std::array<std::string_view, 4> kHeroicRunners = {"legendary", "gog", "nile", "sideload"};

std::string BaseName(std::string_view path)
{
    std::string_view::size_type slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string LeadingDigits(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n])))
        ++n;
    return std::string(text.substr(0, n));
}

// "%xx" escapes decoded; anything else kept.
std::string Unescaped(std::string_view text)
{
    return QByteArray::fromPercentEncoding(QByteArray(text.data(), static_cast<qsizetype>(text.size())))
        .toStdString();
}

// The value of `key` in a URL's query ("?a=1&b=2"), "" without it.
std::string QueryValue(std::string_view url, std::string_view key)
{
    std::string_view::size_type query = url.find('?');
    while (query != std::string_view::npos) {
        std::string_view rest = url.substr(query + 1);
        std::string_view::size_type end = rest.find('&');
        std::string_view pair = rest.substr(0, end);
        if (pair.starts_with(key) && pair.size() > key.size() && pair[key.size()] == '=')
            return Unescaped(pair.substr(key.size() + 1));
        query = end == std::string_view::npos ? end : query + 1 + end;
    }
    return {};
}

// A reverse-DNS name of two parts or more: letters, digits, "_" and "-".
bool IsAppId(std::string_view word)
{
    if (word.empty() || word.front() == '.' || word.back() == '.' || word.find("..") != std::string_view::npos ||
        word.find('.') == std::string_view::npos)
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    });
}

bool IsClientApp(std::string_view app)
{
    return std::find(kClientApps.begin(), kClientApps.end(), app) != kClientApps.end();
}

// The application of "flatpak run [options] <app id> [arguments]" starting at `run`.
std::string FlatpakRunApp(const std::vector<std::string>& command, std::size_t run)
{
    for (std::size_t i = run + 1; i < command.size(); ++i) {
        const std::string& word = command[i];
        if (word.starts_with("-")) {
            if (word.find('=') == std::string::npos &&
                std::find(kFlatpakValueOptions.begin(), kFlatpakValueOptions.end(), word) != kFlatpakValueOptions.end())
                ++i;
            continue;
        }
        return IsAppId(word) ? word : std::string();
    }
    return {};
}

void TakeSteam(std::string_view url, GameMarks& marks)
{
    for (std::string_view verb : {"rungameid/", "run/", "launch/"}) {
        for (std::string_view scheme : {"steam://", "steam:"}) {
            std::string prefix = std::string(scheme) + std::string(verb);
            if (url.starts_with(prefix) && marks.steamApp.empty())
                marks.steamApp = LeadingDigits(url.substr(prefix.size()));
        }
    }
}

void TakeLutris(std::string_view url, GameMarks& marks)
{
    std::string_view rest = url.starts_with("lutris://") ? url.substr(9) : url.substr(7);
    if (rest.starts_with("rungameid/")) {
        marks.lutris = !LeadingDigits(rest.substr(10)).empty();
    } else if (rest.starts_with("rungame/")) {
        std::string slug = Unescaped(rest.substr(8, rest.find_first_of("/?", 8) - 8));
        marks.lutris = !slug.empty();
        marks.lutrisSlug = slug;
    }
}

void TakeHeroic(std::string_view url, GameMarks& marks)
{
    std::string_view rest = url.substr(9);  // after "heroic://"
    if (rest.starts_with("launch?")) {
        marks.heroicApp = QueryValue(rest, "appName");
    } else if (rest.starts_with("launch/")) {
        std::string_view path = rest.substr(7);
        path = path.substr(0, path.find('?'));
        std::string_view::size_type slash = path.find('/');
        if (slash != std::string_view::npos &&
            std::find(kHeroicRunners.begin(), kHeroicRunners.end(), path.substr(0, slash)) != kHeroicRunners.end())
            path = path.substr(slash + 1);
        marks.heroicApp = Unescaped(path.substr(0, path.find('/')));
    }
}

void TakeItch(std::string_view url, GameMarks& marks)
{
    std::string_view rest = url.substr(url.find("://") + 3);
    marks.itch = rest.starts_with("caves/") && rest.find("/launch") != std::string_view::npos;
}

void TakeWord(const std::vector<std::string>& command, std::size_t index, GameMarks& marks)
{
    const std::string& word = command[index];
    if (word.starts_with("steam:"))
        TakeSteam(word, marks);
    else if (word.starts_with("lutris:"))
        TakeLutris(word, marks);
    else if (word.starts_with("heroic://"))
        TakeHeroic(word, marks);
    else if (word.starts_with("itch://") || word.starts_with("itchio://"))
        TakeItch(word, marks);
    else if (word == "-applaunch" && index + 1 < command.size() &&
             std::any_of(command.begin(), command.begin() + static_cast<std::ptrdiff_t>(index), [](const std::string& w) {
                 return BaseName(w) == "steam" || w == "com.valvesoftware.Steam";
             }))
        marks.steamApp = LeadingDigits(command[index + 1]);
    else if (word == "run" && index > 0 && BaseName(command[index - 1]) == "flatpak") {
        std::string app = FlatpakRunApp(command, index);
        if (!IsClientApp(app))
            marks.flatpakApp = app;
        else
            marks.startsClient = marks.startsClient || index == 1;
    }
}

// The command's own program when it is a Linux program (a script's process runs its
// interpreter, which tells nothing), with the arguments that are no options.
void TakeProgram(const std::vector<std::string>& command, GameMarks& marks)
{
    if (command.empty() || command[0].empty())
        return;
    const std::string& word = command[0];
    std::string program = FileSystem::Resolved(word.find('/') == std::string::npos ? Programs::FindProgram(word) : word);
    if (program.empty() || Programs::Classify(program) != ProgramKind::Native)
        return;
    marks.program = program;
    for (std::size_t i = 1; i < command.size(); ++i) {
        if (!command[i].empty() && command[i][0] != '-')
            marks.programArgs.push_back(command[i]);
    }
}

// Whether the process runs the marked program with the marked arguments.
bool RunsTheProgram(const GameMarks& marks, const UserProcess& process)
{
    if (marks.program.empty() || process.exePath != marks.program)
        return false;
    return std::all_of(marks.programArgs.begin(), marks.programArgs.end(), [&process](const std::string& arg) {
        return process.args.size() > 1 && std::find(process.args.begin() + 1, process.args.end(), arg) != process.args.end();
    });
}

}  // namespace

GameMarks GameMarks::Of(const std::vector<std::string>& command, const std::string& folder)
{
    GameMarks marks;
    marks.startsClient = !command.empty() && ClientProcesses::IsClientName(BaseName(command[0]));
    for (std::size_t i = 0; i < command.size(); ++i)
        TakeWord(command, i, marks);
    if (!marks.ByClient()) {
        marks.folder = TitleFolder::Own(folder);
        TakeProgram(command, marks);
    }
    return marks;
}

GameMarks GameMarks::Of(const StartedProgram& started)
{
    using Kind = StartedProgram::Kind;
    std::vector<std::string> words = started.argv;
    if (!started.url.empty() && std::find(words.begin(), words.end(), started.url) == words.end())
        words.push_back(started.url);
    std::string folder;
    if (started.kind == Kind::Program || started.kind == Kind::Windows)
        folder = started.folder;
    else if (started.kind == Kind::DesktopEntry && !words.empty() && words[0].rfind('/') != std::string::npos)
        folder = words[0].substr(0, std::max<std::size_t>(words[0].rfind('/'), 1));
    GameMarks marks = Of(words, folder);
    if (marks.flatpakApp.empty() && !IsClientApp(started.flatpakApp) && IsAppId(started.flatpakApp)) {
        marks.flatpakApp = started.flatpakApp;
        marks.folder.clear();
        marks.program.clear();
        marks.programArgs.clear();
    }
    return marks;
}

bool GameMarks::ByClient() const
{
    return !steamApp.empty() || !flatpakApp.empty() || lutris || !heroicApp.empty() || itch;
}

std::vector<std::string> GameMarks::EnvKeys() const
{
    std::vector<std::string> keys;
    if (!steamApp.empty())
        keys.insert(keys.end(), {"SteamAppId", "SteamGameId"});
    if (lutris)
        keys.insert(keys.end(), {"LUTRIS_GAME_UUID", "GAME_NAME", "game_name"});
    if (!heroicApp.empty())
        keys.push_back("HEROIC_APP_NAME");
    if (itch)
        keys.push_back("ITCHIO_APP");
    if (!folder.empty())
        keys.push_back("WINEPREFIX");
    return keys;
}

bool GameMarks::Matches(const UserProcess& process) const
{
    ProcessEntry entry;
    entry.name = process.name;
    entry.exeName = BaseName(process.exePath);
    entry.args.assign(process.args.begin(), process.args.begin() + std::min<std::size_t>(process.args.size(), 2));
    if (WineProcesses::IsBackground(entry))
        return false;
    auto env = [&process](const char* key, const std::string& value) {
        const std::string* own = process.Env(key);
        return own && *own == value;
    };
    if (!steamApp.empty()) {
        if (env("SteamAppId", steamApp) || env("SteamGameId", steamApp))
            return true;
        auto launch = std::find(process.args.begin(), process.args.end(), "SteamLaunch");
        if (launch != process.args.end() && std::find(launch, process.args.end(), "AppId=" + steamApp) != process.args.end())
            return true;
    }
    if (!flatpakApp.empty() && process.flatpakApp == flatpakApp)
        return true;
    if (lutris && process.Env("LUTRIS_GAME_UUID")) {
        const std::string* name = process.Env("GAME_NAME") ? process.Env("GAME_NAME") : process.Env("game_name");
        if (lutrisSlug.empty() || (name && LutrisSlug(*name) == lutrisSlug))
            return true;
    }
    if (!heroicApp.empty() && env("HEROIC_APP_NAME", heroicApp))
        return true;
    if (itch && env("ITCHIO_APP", "1"))
        return true;
    return (!folder.empty() && TitleFolder::Holds(folder, process)) || RunsTheProgram(*this, process);
}

std::string GameMarks::Describe() const
{
    if (!steamApp.empty())
        return "Steam のゲーム " + steamApp;
    if (!flatpakApp.empty())
        return "Flatpak の " + flatpakApp;
    if (lutris)
        return lutrisSlug.empty() ? std::string("Lutris のゲーム") : "Lutris の " + lutrisSlug;
    if (!heroicApp.empty())
        return "Heroic の " + heroicApp;
    if (itch)
        return "itch のゲーム";
    return (folder.empty() ? program : folder) + " のプログラム";
}

std::string LutrisSlug(const std::string& name)
{
    QString decomposed = QString::fromStdString(name).normalized(QString::NormalizationForm_KD);
    std::string slug;
    bool gap = false;
    for (QChar c : decomposed) {
        char16_t u = c.unicode();
        if (u == ' ' || u == '-' || u == '\t' || u == '\n') {
            gap = true;
        } else if (u < 0x80 && (std::isalnum(u) || u == '_')) {
            if (gap && !slug.empty())
                slug += '-';
            gap = false;
            slug += static_cast<char>(std::tolower(u));
        }
    }
    return slug;
}
