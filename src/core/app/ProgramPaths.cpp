#include "app/ProgramPaths.h"

#include "platform/FileSystem.h"

#include <QStandardPaths>
#include <filesystem>

namespace {

// Set by the build (the ZARN2_INSTALLED option) for this file alone.
constexpr bool kInstalledLayout = ZARN2_INSTALLED_LAYOUT != 0;

// <program>/<relative>, without the ".." steps.
std::string BesideProgram(const std::string& programDir, const char* relative)
{
    return (std::filesystem::path(programDir + "/" + relative)).lexically_normal().string();
}

void PlaceUserFiles(ProgramPaths& paths, const std::string& home)
{
    paths.homeDir = home;
    paths.iniPath = home + "/Zarn2.ini";
    paths.dataDir = home + "/Zarn";
    paths.tempDir = home + "/Temp";
    // The genre list is named after the binary.
    std::string list = ProgramPaths::GroupListPathFor(paths.exePath);
    if (!list.empty())
        paths.groupListPath = home + "/" + std::filesystem::path(list).filename().string();
}

} // namespace

ProgramPaths ProgramPaths::Portable(const std::string& exePath)
{
    ProgramPaths paths;
    paths.exePath = exePath;
    paths.programDir = FileSystem::FolderOf(exePath);
    PlaceUserFiles(paths, paths.programDir);
    paths.helpDir = paths.programDir + "/Help";
    paths.helperDir = paths.programDir;
    return paths;
}

ProgramPaths ProgramPaths::Installed(const std::string& exePath, const std::string& dataHome)
{
    ProgramPaths paths;
    paths.exePath = exePath;
    paths.programDir = FileSystem::FolderOf(exePath);
    PlaceUserFiles(paths, dataHome + "/Zarn2");
    paths.helpDir = BesideProgram(paths.programDir, "../share/zarn2/Help");
    paths.helperDir = BesideProgram(paths.programDir, "../libexec/zarn2");
    paths.makeHomeDir = true;
    return paths;
}

ProgramPaths ProgramPaths::ForRunningBinary()
{
    const std::string exePath = FileSystem::RunningBinary();
    if (!kInstalledLayout)
        return Portable(exePath);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return Installed(exePath, dataHome.toStdString());
}

std::string ProgramPaths::HelperDir()
{
    return ForRunningBinary().helperDir;
}

std::string ProgramPaths::GroupListPathFor(const std::string& exePath)
{
    std::string::size_type slash = exePath.rfind('/');
    std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart >= exePath.size())
        return {};
    std::string::size_type dot = exePath.rfind('.');
    // A dot in a folder name, or the leading dot of a hidden file, is no extension.
    if (dot == std::string::npos || dot <= nameStart)
        return exePath + ".Grp";
    return exePath.substr(0, dot + 1) + "Grp";
}
