#include "platform/LinuxShellOpen.h"

#include "platform/DesktopEntry.h"
#include "platform/IUrlHandlers.h"
#include "platform/ProgramKind.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QString>

namespace {

constexpr int kOpenerFileMissing = 2;  // xdg-open's exit code for a missing file

bool IsFolder(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isDir(); }

std::string ParentOf(const std::string& file)
{
    std::string::size_type slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

bool EndsWithExe(const std::string& name)
{
    return QString::fromStdString(name).endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive);
}

bool IsFileManagerName(const std::string& name)
{
    QString lower = QString::fromStdString(name).toLower();
    return lower == QStringLiteral("explorer.exe") || lower == QStringLiteral("explorer");
}

std::string Absolute(const std::string& path, const std::string& workingDir)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::string base = workingDir.empty() ? QDir::currentPath().toStdString() : workingDir;
    return base + "/" + path;
}

}  // namespace

int LinuxShellOpen::Open(const std::string& path, const std::string& workingDir)
{
    return Route(path, workingDir, Opener::kVerdict);
}

void LinuxShellOpen::Start(const std::string& path, const std::string& workingDir)
{
    Route(path, workingDir, Opener::kDetached);
}

int LinuxShellOpen::Route(const std::string& path, const std::string& workingDir, Opener opener)
{
    if (path.empty())
        return kFileNotFound;
    if (!workingDir.empty() && !IsFolder(workingDir))
        return kPathNotFound;
    if (!Programs::UrlScheme(path).empty() && Programs::Classify(path) == ProgramKind::Missing)
        return UrlHandlers::Get().Open(path) ? kStarted : kNoAssociation;
    if (path.find('/') == std::string::npos)
        return OpenBareName(path, workingDir, opener);
    return OpenFile(Absolute(path, workingDir), workingDir, opener);
}

// A desktop entry runs its own command (a link opens its URL), never the file's opener,
// which would show the entry as text.
int LinuxShellOpen::OpenEntry(const std::string& file) const
{
    std::optional<DesktopEntry> entry = DesktopEntry::Read(file);
    if (!entry)
        return kFileNotFound;
    if (entry->IsLink() && entry->Check() == DesktopEntry::Problem::None)
        return UrlHandlers::Get().Open(entry->Value("URL")) ? kStarted : kNoAssociation;
    std::optional<DesktopEntry::Start> start = entry->StartCommand();
    if (!start)
        return kBadFormat;
    QStringList args;
    for (std::size_t i = 1; i < start->argv.size(); ++i)
        args.push_back(QString::fromStdString(start->argv[i]));
    return RunDetached(start->argv.front(), args, start->folder);
}

int LinuxShellOpen::OpenBareName(const std::string& name, const std::string& workingDir, Opener opener)
{
    std::string local = Absolute(name, workingDir);
    if (QFileInfo::exists(QString::fromStdString(local)))
        return OpenFile(local, workingDir, opener);
    std::string onPath = Programs::FindOnPath(name);
    if (!onPath.empty())
        return OpenFile(onPath, workingDir, opener);
    std::string wine = Programs::FindWine();
    if (EndsWithExe(name) && !wine.empty())
        return RunDetached(wine, {QString::fromStdString(name)}, workingDir.empty() ? QDir::homePath().toStdString() : workingDir);
    if (IsFileManagerName(name))
        return RunOpener(QDir::homePath().toStdString(), opener);
    return kFileNotFound;
}

int LinuxShellOpen::OpenFile(const std::string& file, const std::string& workingDir, Opener opener)
{
    const std::string folder = workingDir.empty() ? ParentOf(file) : workingDir;
    const ProgramKind kind = Programs::Classify(file);
    // Also one marked executable with a "#!" line, as desktops write them.
    if (DesktopEntry::IsEntryPath(file) && kind != ProgramKind::Missing && kind != ProgramKind::Folder)
        return OpenEntry(file);
    switch (kind) {
    case ProgramKind::Missing:
        return IsFolder(ParentOf(file)) ? kFileNotFound : kPathNotFound;
    case ProgramKind::Native:
    case ProgramKind::Script:
        if (!Programs::IsExecutable(file))
            return kAccessDenied;
        return RunDetached(file, {}, folder);
    case ProgramKind::Windows: {
        std::string wine = Programs::FindWine();
        if (wine.empty())
            return kNoAssociation;
        return RunDetached(wine, {QString::fromStdString(file)}, folder);
    }
    case ProgramKind::Folder:
    case ProgramKind::Document:
        break;
    }
    return RunOpener(file, opener);
}

// Starts a program that lives on by itself; it reads nothing from the launcher and writes
// to the launcher's own output.
int LinuxShellOpen::RunDetached(const std::string& program, const QStringList& args,
                                const std::string& workingDir) const
{
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments(args);
    process.setWorkingDirectory(QString::fromStdString(workingDir));
    process.setStandardInputFile(QProcess::nullDevice());
    // Existence and access were checked before: what still fails is the file's content
    // (an unknown binary format, a "#!" naming a missing interpreter).
    return process.startDetached() ? kStarted : kBadFormat;
}

// Hands the file to the desktop's opener and reads its verdict, unless it is to run
// detached.
int LinuxShellOpen::RunOpener(const std::string& target, Opener opener) const
{
    std::string program = Programs::FindOnPath("xdg-open");
    if (program.empty())
        return kNoAssociation;
    if (opener == Opener::kDetached)
        return RunDetached(program, {QString::fromStdString(target)}, QDir::currentPath().toStdString());
    auto* process = new QProcess;
    process->setProgram(QString::fromStdString(program));
    process->setArguments({QString::fromStdString(target)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return kNoAssociation;
    }
    if (!process->waitForFinished(m_openerWaitMs)) {
        // Some openers stay until the document is closed: let it run, free it at its end.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return kStarted;
    }
    bool ok = process->exitStatus() == QProcess::NormalExit;
    int code = process->exitCode();
    delete process;
    if (ok && code == 0)
        return kStarted;
    return ok && code == kOpenerFileMissing ? kFileNotFound : kNoAssociation;
}
