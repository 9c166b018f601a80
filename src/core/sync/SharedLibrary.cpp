#include "sync/SharedLibrary.h"

#include "app/CZarn2App.h"
#include "library/ILibraryJournal.h"
#include "platform/FileSystem.h"

namespace {

bool Holds(const std::string& folder, std::span<const char* const> markers)
{
    for (const char* marker : markers) {
        if (FileSystem::EntryExists(folder + "/" + marker))
            return true;
    }
    return false;
}

}  // namespace

namespace SharedLibrary {

bool Is(const CZarn2App& app)
{
    if (app.m_szDataDir.empty() || app.m_szHomeDir.empty())
        return false;
    if (FileSystem::EntryExists(app.m_szDataDir + "/" + ILibraryJournal::kFolderName))
        return true;
    return !NearestHolding(app.m_szHomeDir, kMarkers).empty();
}

std::string NearestHolding(const std::string& start, std::span<const char* const> markers)
{
    for (std::string folder = start; !folder.empty();) {
        if (Holds(folder, markers))
            return folder;
        const std::string::size_type slash = folder.rfind('/');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    }
    return Holds("", markers) ? "/" : std::string();  // the root itself: "/.stfolder"
}

}  // namespace SharedLibrary
