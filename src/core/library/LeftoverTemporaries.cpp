#include "library/LeftoverTemporaries.h"

#include "app/CZarn2App.h"
#include "launch/PlayJournalText.h"
#include "library/PendingChange.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "sync/MergeReport.h"

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
void RemoveIn(const std::string& folder, const std::function<bool(std::string_view)>& ours)
{
    if (folder.empty())
        return;
    int error = 0;
    for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(folder, error)) {
        std::string owner = AtomicFile::TemporaryOwner(entry.name);
        if (!entry.regular || owner.empty() || !ours(owner))
            continue;
        std::string path = folder + "/" + entry.name;
        int err = FileSystem::RemoveFile(path);
        if (err != 0 && err != ENOENT)
            Messenger::Show(Format("ERROR[%d] : 一時ファイル<%s>を削除出来ませんでした.", err, path.c_str()));
    }
}

// The temporaries of one file: beside it, and beside the file its links lead to.
void RemoveFor(const std::string& file)
{
    std::vector<std::string> paths{file};
    if (std::string resolved = FileSystem::Resolved(file); !resolved.empty() && resolved != file)
        paths.push_back(resolved);
    for (const std::string& path : paths) {
        std::string::size_type slash = path.rfind('/');
        if (slash == std::string::npos)
            continue;
        std::string name = path.substr(slash + 1);
        RemoveIn(path.substr(0, slash), [&name](std::string_view owner) { return owner == name; });
    }
}

}  // namespace

namespace LeftoverTemporaries {

void Remove(const CZarn2App& app, const std::string& groupListPath)
{
    RemoveFor(app.m_szIniPath);
    RemoveFor(groupListPath);
    RemoveIn(app.m_szDataDir, [](std::string_view owner) { return EndsWith(owner, kGroupFile); });
    RemoveIn(app.m_szTempDir, [](std::string_view owner) {
        return owner == PendingChange::kFileName || owner == PlayJournalText::kFileName ||
               owner == MergeReport::kNamedListName;
    });
    // The titles' logs, rewritten in their genres' folders when their plays are edited or
    // merged with their conflict copies.
    int error = 0;
    for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(app.m_szDataDir, error)) {
        if (!entry.regular)
            RemoveIn(app.m_szDataDir + "/" + entry.name,
                     [](std::string_view owner) { return EndsWith(owner, ".Log"); });
    }
    // Those a build before the run folders left in Temp itself are this computer's.
    if (app.m_szTempRoot != app.m_szTempDir)
        RemoveIn(app.m_szTempRoot, [](std::string_view owner) {
            return owner == PendingChange::kFileName || owner == PlayJournalText::kFileName;
        });
}

}  // namespace LeftoverTemporaries
