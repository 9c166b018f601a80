#include "platform/DesktopEntry.h"

#include "platform/ProgramKind.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QString>
#include <QUrl>

#include <algorithm>

namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";

std::string_view TrimEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimStart(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// The escapes of string values: \s \n \t \r \\. Any other backslash stays as it is, so
// the Exec quoting after it still sees it.
std::string Unescape(std::string_view raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        switch (raw[i + 1]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += raw[i]; out += raw[i + 1]; break;
        }
        ++i;
    }
    return out;
}

// A locale without its encoding: "ja_JP.UTF-8@mod" becomes "ja_JP@mod".
std::string WithoutEncoding(std::string_view locale)
{
    std::size_t dot = locale.find('.');
    if (dot == std::string_view::npos)
        return std::string(locale);
    std::size_t at = locale.find('@', dot);
    std::string out(locale.substr(0, dot));
    if (at != std::string_view::npos)
        out += locale.substr(at);
    return out;
}

// lang_COUNTRY@MODIFIER, lang_COUNTRY, lang@MODIFIER, lang: the forms of the locale that
// exist, most specific first.
std::vector<std::string> LocaleCandidates(std::string_view locale)
{
    std::string plain = WithoutEncoding(locale);
    std::string modifier;
    if (std::size_t at = plain.find('@'); at != std::string::npos) {
        modifier = plain.substr(at);
        plain.resize(at);
    }
    std::string lang = plain.substr(0, plain.find('_'));
    std::vector<std::string> out;
    auto add = [&out](const std::string& candidate) {
        const bool known = std::find(out.begin(), out.end(), candidate) != out.end();
        if (!candidate.empty() && candidate.front() != '@' && !known)
            out.push_back(candidate);
    };
    if (!modifier.empty())
        add(plain + modifier);
    add(plain);
    if (!modifier.empty())
        add(lang + modifier);
    add(lang);
    return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// A program named by path, or found as a desktop session finds it (Programs::FindProgram).
bool ProgramFound(const std::string& program)
{
    if (program.find('/') == std::string::npos)
        return !Programs::FindProgram(program).empty();
    return Programs::IsExecutable(program) && Programs::Classify(program) != ProgramKind::Folder;
}

std::string FileOf(const std::string& url)
{
    QUrl parsed(QString::fromStdString(url));
    return parsed.isLocalFile() ? parsed.toLocalFile().toStdString() : url;
}

// The words that replace %f %F %u %U standing alone.
std::vector<std::string> ListCode(char code, const std::vector<std::string>& urls)
{
    std::vector<std::string> out;
    for (const std::string& url : urls) {
        out.push_back(code == 'f' || code == 'F' ? FileOf(url) : url);
        if (code == 'f' || code == 'u')
            break;
    }
    return out;
}

}  // namespace

DesktopEntry DesktopEntry::Parse(std::string_view bytes, std::string path)
{
    DesktopEntry entry;
    entry.m_path = std::move(path);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    bool inGroup = false;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string_view line = TrimEnd(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        line = TrimStart(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inGroup = line == kGroup && !entry.m_bEntry;
            entry.m_bEntry = entry.m_bEntry || inGroup;
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos)
            continue;
        std::string key(TrimEnd(line.substr(0, equals)));
        if (!entry.Has(key))
            entry.m_values.emplace_back(std::move(key), Unescape(TrimStart(line.substr(equals + 1))));
    }
    return entry;
}

std::optional<DesktopEntry> DesktopEntry::Read(const std::string& path, int* error)
{
    std::string bytes;
    const int failed = RegularFile::ReadAtMost(path, kMaxBytes, bytes);
    if (error != nullptr)
        *error = failed;
    if (failed != 0)
        return std::nullopt;
    return Parse(bytes, path);
}

bool DesktopEntry::IsEntryPath(std::string_view path)
{
    constexpr std::string_view kEnding = ".desktop";
    return path.size() > kEnding.size() && path.substr(path.size() - kEnding.size()) == kEnding;
}

bool DesktopEntry::Has(std::string_view key) const
{
    for (const auto& [name, value] : m_values) {
        if (name == key)
            return true;
    }
    return false;
}

std::string DesktopEntry::Value(std::string_view key) const
{
    for (const auto& [name, value] : m_values) {
        if (name == key)
            return value;
    }
    return {};
}

std::string DesktopEntry::LocalizedValue(std::string_view key, std::string_view locale) const
{
    for (const std::string& candidate : LocaleCandidates(locale)) {
        for (const auto& [name, value] : m_values) {
            const bool localized = name.size() > key.size() + 2 && name.compare(0, key.size(), key) == 0 &&
                                   name[key.size()] == '[' && name.back() == ']';
            if (!localized)
                continue;
            const std::string_view nameLocale = std::string_view(name).substr(key.size() + 1, name.size() - key.size() - 2);
            if (WithoutEncoding(nameLocale) == candidate)
                return value;
        }
    }
    return Value(key);
}

std::string DesktopEntry::Id() const
{
    constexpr std::string_view kFolder = "/applications/";
    std::size_t at = m_path.rfind(kFolder);
    std::string id =
        at == std::string::npos ? m_path.substr(m_path.rfind('/') + 1) : m_path.substr(at + kFolder.size());
    std::replace(id.begin(), id.end(), '/', '-');
    return id;
}

std::optional<std::vector<std::string>> DesktopEntry::ExecArguments() const
{
    const std::string exec = Value("Exec");
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (IsSpace(c)) {
            if (inWord)
                words.push_back(std::exchange(word, {}));
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '"') {
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                const bool escape = exec[i] == '\\' && i + 1 < exec.size() &&
                                    std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos;
                word += exec[escape ? ++i : i];
            }
            if (i == exec.size())
                return std::nullopt;
        } else if (c == '\'') {
            std::size_t close = exec.find('\'', i + 1);
            if (close == std::string::npos)
                return std::nullopt;
            word += exec.substr(i + 1, close - i - 1);
            i = close;
        } else if (c == '\\' && i + 1 < exec.size()) {
            word += exec[++i];
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::optional<std::vector<std::string>> DesktopEntry::Command(const std::vector<std::string>& urls) const
{
    std::optional<std::vector<std::string>> words = ExecArguments();
    if (!words || words->empty())
        return std::nullopt;
    std::vector<std::string> command;
    for (const std::string& word : *words) {
        const bool listCode = word.size() == 2 && word[0] == '%' && std::string_view("fFuU").find(word[1]) != word.npos;
        if (listCode) {
            for (std::string& each : ListCode(word[1], urls))
                command.push_back(std::move(each));
            continue;
        }
        if (word == "%i") {
            if (!Icon().empty())
                command.insert(command.end(), {"--icon", Icon()});
            continue;
        }
        std::string out;
        bool sawCode = false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%') {
                out += word[i];
                continue;
            }
            if (++i == word.size())
                return std::nullopt;
            sawCode = true;
            const char code = word[i];
            if (code == '%')
                out += '%';
            else if (code == 'c')
                out += Name();
            else if (code == 'k')
                out += m_path;
            else if (code == 'i')
                out += Icon();
            else if (std::string_view("fFuU").find(code) != std::string_view::npos) {
                std::vector<std::string> first = ListCode(static_cast<char>(code | 0x20), urls);
                out += first.empty() ? std::string() : first.front();
            } else if (std::string_view("dDnNvm").find(code) == std::string_view::npos)
                return std::nullopt;
        }
        if (!out.empty() || !sawCode)
            command.push_back(std::move(out));
    }
    if (command.empty())
        return std::nullopt;
    return command;
}

bool DesktopEntry::IsLink() const { return Type() == "Link" && !Value("URL").empty(); }

DesktopEntry::Problem DesktopEntry::Check() const
{
    if (!m_bEntry)
        return Problem::NotAnEntry;
    if (Flag("Hidden"))
        return Problem::Hidden;
    if (IsLink())
        return Problem::None;
    if (Type() != "Application")
        return Problem::NotApplication;
    if (Value("Exec").empty())
        return Problem::NoCommand;
    std::optional<std::vector<std::string>> command = Command();
    if (!command)
        return Problem::BrokenCommand;
    const std::string tryExec = Value("TryExec");
    if ((!tryExec.empty() && !ProgramFound(tryExec)) || !ProgramFound(command->front()))
        return Problem::NotInstalled;
    // The terminal runs by its name: PATH must have it.
    if (Flag("Terminal") && Programs::FindOnPath(kTerminal).empty())
        return Problem::NoTerminal;
    return Problem::None;
}

std::optional<DesktopEntry::Start> DesktopEntry::StartCommand(const std::vector<std::string>& urls) const
{
    if (IsLink() || Check() != Problem::None)
        return std::nullopt;
    std::optional<std::vector<std::string>> command = Command(urls);
    if (!command)
        return std::nullopt;
    // A program PATH lacks runs by the path it was found at.
    std::string& program = command->front();
    if (program.find('/') == std::string::npos && Programs::FindOnPath(program).empty())
        program = Programs::FindProgram(program);
    Start start;
    if (Flag("Terminal"))
        start.argv = {kTerminal, "-e"};
    start.argv.insert(start.argv.end(), command->begin(), command->end());
    start.folder = Value("Path");
    if (start.folder.empty())
        start.folder = QDir::homePath().toStdString();
    return start;
}
