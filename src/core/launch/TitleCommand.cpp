#include "launch/TitleCommand.h"

#include "launch/PlayMessages.h"
#include "platform/DesktopEntry.h"
#include "platform/Format.h"
#include "platform/IUrlHandlers.h"
#include "platform/IWineInstall.h"
#include "platform/ProgramKind.h"

#include <QDir>
#include <QUrl>

#include <algorithm>
#include <cerrno>

namespace {

using Kind = StartedProgram::Kind;

TitleCommand::Plan Refused(std::string message) { return {std::nullopt, std::move(message)}; }

std::string HomeFolder() { return QDir::homePath().toStdString(); }

// The first argument that is a URL: the game a client's command asks for.
std::string UrlAmong(const std::vector<std::string>& argv)
{
    for (std::size_t i = 1; i < argv.size(); ++i) {
        if (!Programs::UrlScheme(argv[i]).empty())
            return argv[i];
    }
    return {};
}

std::string Reason(const DesktopEntry& entry, DesktopEntry::Problem problem)
{
    using P = DesktopEntry::Problem;
    switch (problem) {
    case P::None:
        break;
    case P::NotAnEntry:
        return PlayMessages::kEntryNotAnEntry;
    case P::Hidden:
        return PlayMessages::kEntryHidden;
    case P::NotApplication:
        return Format(PlayMessages::kEntryNotApplication, entry.Type().c_str());
    case P::NoCommand:
        return PlayMessages::kEntryNoCommand;
    case P::BrokenCommand:
        return Format(PlayMessages::kEntryBrokenCommand, entry.Value("Exec").c_str());
    case P::NotInstalled: {
        std::string program = entry.Value("TryExec");
        if (program.empty() || !Programs::FindProgram(program).empty() || Programs::IsExecutable(program))
            program = entry.Command().value_or(std::vector<std::string>{""}).front();
        return Format(PlayMessages::kEntryNotInstalled, program.c_str());
    }
    case P::NoTerminal:
        return PlayMessages::kEntryNoTerminal;
    }
    return {};
}

// What makes a URL name nothing a handler could open: a blank or a control character (the
// handler would get a part of it, or more than it), nothing after the scheme ("steam:"),
// or a file: URL, which the desktop opens as the file it names.
std::string UrlProblem(const std::string& url, const std::string& scheme)
{
    if (std::any_of(url.begin(), url.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f; }))
        return Format(PlayMessages::kUrlWithBlank, url.c_str());
    if (url.find_first_not_of('/', scheme.size() + 1) == std::string::npos)
        return Format(PlayMessages::kUrlWithoutTarget, url.c_str(), scheme.c_str());
    if (scheme == "file")
        return Format(PlayMessages::kFileUrl, url.c_str(),
                      QUrl(QString::fromStdString(url)).toLocalFile().toStdString().c_str());
    return {};
}

// The handler's own command given the URL, run under the wait; a handler without a
// usable entry is handed the URL through the desktop.
TitleCommand::Plan ForUrl(const std::string& stored, const std::string& url)
{
    const std::string scheme = Programs::UrlScheme(url);
    if (std::string problem = UrlProblem(url, scheme); !problem.empty())
        return Refused(problem);
    std::optional<IUrlHandlers::Handler> handler = UrlHandlers::Get().For(scheme);
    if (!handler)
        return Refused(Format(PlayMessages::kUrlWithoutHandler, url.c_str(), scheme.c_str()));
    StartedProgram program{Kind::Url, stored, {}, HomeFolder(), url, handler->id, handler->desktopFile, {}};
    std::optional<DesktopEntry> entry;
    if (!handler->desktopFile.empty())
        entry = DesktopEntry::Read(handler->desktopFile);
    if (std::optional<DesktopEntry::Start> start = entry ? entry->StartCommand({url}) : std::nullopt) {
        program.argv = std::move(start->argv);
        program.folder = std::move(start->folder);
        program.flatpakApp = entry->Value("X-Flatpak");
    }
    return {program, {}};
}

TitleCommand::Plan ForEntry(const std::string& stored)
{
    int error = 0;
    std::optional<DesktopEntry> entry = DesktopEntry::Read(stored, &error);
    if (!entry)
        return Refused(Format(PlayMessages::kEntryRefused, stored.c_str(),
                              error == EFBIG ? PlayMessages::kEntryTooLarge : PlayMessages::kEntryUnreadable));
    if (DesktopEntry::Problem problem = entry->Check(); problem != DesktopEntry::Problem::None)
        return Refused(Format(PlayMessages::kEntryRefused, stored.c_str(), Reason(*entry, problem).c_str()));
    if (entry->IsLink())
        return ForUrl(stored, entry->Value("URL"));
    std::optional<DesktopEntry::Start> start = entry->StartCommand();
    if (!start)  // Check() found nothing: cannot happen
        return Refused(Format(PlayMessages::kEntryRefused, stored.c_str(), PlayMessages::kEntryNoCommand));
    StartedProgram program{Kind::DesktopEntry, stored, std::move(start->argv), std::move(start->folder), {},
                           entry->Id(), stored, entry->Value("X-Flatpak")};
    program.url = UrlAmong(program.argv);
    return {program, {}};
}

}  // namespace

namespace TitleCommand {

Plan For(const std::string& stored, const std::string& folder)
{
    if (stored.empty())
        return Refused(PlayMessages::kNoProgram);
    const ProgramKind kind = Programs::Classify(stored);
    if (kind == ProgramKind::Missing && !Programs::UrlScheme(stored).empty())
        return ForUrl(stored, stored);
    if (DesktopEntry::IsEntryPath(stored) && kind != ProgramKind::Missing && kind != ProgramKind::Folder)
        return ForEntry(stored);
    if (kind == ProgramKind::Windows) {
        IWineInstall& wine = WineInstall::Get();
        const std::string loader = wine.Loader();
        if (!loader.empty()) {
            if (Programs::IsWindows32Bit(stored).value_or(false) && !wine.Runs32Bit())
                return Refused(Format(PlayMessages::kNoWine32, stored.c_str()));
            return {StartedProgram{Kind::Windows, stored, {loader, stored}, folder, {}, {}, {}, {}}, {}};
        }
    }
    return {StartedProgram{Kind::Program, stored, {stored}, folder, {}, {}, {}, {}}, {}};
}

}  // namespace TitleCommand
