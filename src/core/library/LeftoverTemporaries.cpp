#include "library/LeftoverTemporaries.h"

#include "app/CZarn2App.h"
#include "app/RunFolder.h"
#include "library/ILibraryJournal.h"
#include "library/PendingChange.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/FolderListings.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <cerrno>
#include <functional>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kGroupFile = ".Zarn";

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

// Removes the regular files of `folder` that are temporaries of a file `ours` accepts.
void RemoveIn(const std::string& folder, const std::function<bool(std::string_view)>& ours,
              FolderListings& listings)
{
    if (folder.empty())
        return;
    int error = 0;
    std::vector<std::string> removed;
    for (const FileSystem::FolderEntry& entry : listings.Entries(folder, error)) {
        std::string owner = AtomicFile::TemporaryOwner(entry.name);
        if (!entry.regular || owner.empty() || !ours(owner))
            continue;
        std::string path = folder + "/" + entry.name;
        int err = FileSystem::RemoveFile(path);
        if (err != 0 && err != ENOENT)
            Messenger::Show(Format("ERROR[%d] : 一時ファイル<%s>を削除出来ませんでした.", err, path.c_str()));
        else
            removed.push_back(entry.name);
    }
    for (const std::string& name : removed)
        listings.Removed(folder, name);
}

// The temporaries of one file: beside it, and beside the file its links lead to.
void RemoveFor(const std::string& file, FolderListings& listings)
{
    std::vector<std::string> paths{file};
    if (std::string resolved = FileSystem::Resolved(file); !resolved.empty() && resolved != file)
        paths.push_back(resolved);
    for (const std::string& path : paths) {
        std::string::size_type slash = path.rfind('/');
        if (slash == std::string::npos)
            continue;
        std::string name = path.substr(slash + 1);
        RemoveIn(path.substr(0, slash), [&name](std::string_view owner) { return owner == name; }, listings);
    }
}

}  // namespace

namespace LeftoverTemporaries {

void Remove(const CZarn2App& app, const std::string& groupListPath, FolderListings& listings)
{
    RemoveFor(app.m_szIniPath, listings);
    RemoveFor(groupListPath, listings);
    RemoveIn(app.m_szDataDir, [](std::string_view owner) { return EndsWith(owner, kGroupFile); }, listings);
    RemoveIn(
        app.m_szTempDir,
        [](std::string_view owner) {
            return owner == PendingChange::kFileName || owner == RunFolder::kPlayJournal ||
                   owner == RunFolder::kKeptCopies || owner == RunFolder::kJournalId ||
                   owner == RunFolder::kToldNotices;
        },
        listings);
    // The change journals, rewritten when they are shortened.
    RemoveIn(app.m_szDataDir + "/" + ILibraryJournal::kFolderName,
             [](std::string_view owner) { return EndsWith(owner, ".log"); }, listings);
    // The titles' logs, rewritten in their genres' folders when their plays are edited or
    // merged with their conflict copies.
    int error = 0;
    for (const FileSystem::FolderEntry& entry : listings.Entries(app.m_szDataDir, error)) {
        if (!entry.regular)
            RemoveIn(
                app.m_szDataDir + "/" + entry.name, [](std::string_view owner) { return EndsWith(owner, ".Log"); },
                listings);
    }
    // Those a build before the run folders left in Temp itself are this computer's.
    if (app.m_szTempRoot != app.m_szTempDir)
        RemoveIn(
            app.m_szTempRoot,
            [](std::string_view owner) {
                return owner == PendingChange::kFileName || owner == RunFolder::kPlayJournal;
            },
            listings);
}

}  // namespace LeftoverTemporaries
