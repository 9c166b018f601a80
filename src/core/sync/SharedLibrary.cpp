#include "sync/SharedLibrary.h"

#include "app/CZarn2App.h"
#include "library/ILibraryJournal.h"
#include "platform/FileSystem.h"

namespace {

bool HoldsMarker(const std::string& folder)
{
    for (const char* marker : SharedLibrary::kMarkers) {
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
    std::string folder = app.m_szHomeDir;
    while (!folder.empty()) {
        if (HoldsMarker(folder))
            return true;
        const std::string::size_type slash = folder.rfind('/');
        folder = slash == std::string::npos || slash == 0 ? std::string() : folder.substr(0, slash);
    }
    return HoldsMarker("");  // the root itself: "/.stfolder"
}

}  // namespace SharedLibrary
