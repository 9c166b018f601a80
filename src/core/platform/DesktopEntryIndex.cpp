#include "platform/DesktopEntryIndex.h"

#include "platform/DesktopEntry.h"
#include "platform/ProgramKind.h"

#include <QDirIterator>
#include <QStandardPaths>
#include <QString>

#include <filesystem>

namespace {

std::string RealPath(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(path, ec);
    return ec ? std::string() : real.string();
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Whether a bare program name leads to the file, as a desktop session finds it.
bool NameLeadsTo(const std::string& name, const std::string& real)
{
    const std::string found = Programs::FindProgram(name);
    return !found.empty() && RealPath(found) == real;
}

}  // namespace

DesktopEntryIndex::DesktopEntryIndex(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        QDirIterator files(QString::fromStdString(folder), {QStringLiteral("*.desktop")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            std::optional<DesktopEntry> entry = DesktopEntry::Read(files.next().toStdString());
            if (!entry || entry->Flag("Hidden") || entry->Type() != "Application" || entry->Icon().empty())
                continue;
            if (std::optional<std::vector<std::string>> command = entry->Command())
                Add(command->front(), entry->Icon());
            if (!entry->Value("TryExec").empty())
                Add(entry->Value("TryExec"), entry->Icon());
        }
    }
}

const DesktopEntryIndex& DesktopEntryIndex::Shared()
{
    static const DesktopEntryIndex shared = [] {
        std::vector<std::string> folders;
        for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
            folders.push_back(folder.toStdString());
        return DesktopEntryIndex(folders);
    }();
    return shared;
}

void DesktopEntryIndex::Add(const std::string& program, const std::string& icon)
{
    if (program.find('/') == std::string::npos) {
        m_byName.emplace(program, icon);
        return;
    }
    const std::string real = RealPath(program);
    if (!real.empty())
        m_byPath.emplace(real, icon);  // the first entry keeps its place
}

std::string DesktopEntryIndex::IconFor(const std::string& program) const
{
    const std::string real = RealPath(program);
    if (real.empty())
        return {};
    if (auto found = m_byPath.find(real); found != m_byPath.end())
        return found->second;
    // By the name it was given, or the name of the file a link leads to.
    for (const std::string& name : {BaseName(program), BaseName(real)}) {
        if (auto named = m_byName.find(name); named != m_byName.end() && NameLeadsTo(name, real))
            return named->second;
    }
    return {};
}
