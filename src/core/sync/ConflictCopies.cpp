#include "sync/ConflictCopies.h"

#include "app/CZarn2App.h"
#include "app/RunFolder.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "library/NameRules.h"
#include "platform/FileSystem.h"
#include "platform/FolderListings.h"
#include "platform/TextFileReader.h"
#include "sync/ConflictName.h"
#include "sync/CopyMerges.h"
#include "sync/CopySettling.h"
#include "sync/MergeReport.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kGroupExt = ".Zarn";
constexpr std::string_view kLogExt = ".Log";

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}
std::string Stem(std::string_view name, std::string_view ext)
{
    return std::string(name.substr(0, name.size() - ext.size()));
}

// Whether the copy at `path` takes part in this pass: gone since the listing, or still being
// written (CopySettling: changed lately, or held open for writing), it does not; anything
// that is not a regular file stays to be named.
bool Ready(const std::string& path, bool regular, FileStamp& stamp)
{
    if (!regular)
        return true;
    int err = ReadFileStamp(path, stamp);
    return err != ENOENT &&
           (err != 0 || CopySettling::ThisRun().Settled(path, stamp, FileSystem::OpenForWriting(path)));
}

// The copies in `folder`, by the name of the file they are copies of. `ours` tells whether
// a copy (its name, and the name of its original) is one of a library file; copies of
// files that do not exist are not.
std::map<std::string, std::vector<ConflictCopy>>
CopiesIn(const std::string& folder, const std::string& shownFolder,
         const std::function<bool(const std::string& name, const std::string& original)>& ours,
         FolderListings& listings)
{
    std::map<std::string, std::vector<ConflictCopy>> copies;
    int error = 0;
    for (const FileSystem::FolderEntry& entry : listings.Entries(folder, error)) {
        std::string original = ConflictName::Original(entry.name);
        if (original.empty() || !ours(entry.name, original))
            continue;
        FileStamp stamp;
        if (ReadFileStamp(folder + "/" + original, stamp) != 0)
            continue;
        std::string path = folder + "/" + entry.name;
        FileStamp copyStamp;
        if (Ready(path, entry.regular, copyStamp))
            copies[original].push_back({path, shownFolder + entry.name, entry.regular, copyStamp});
    }
    for (auto& [original, list] : copies)
        std::sort(list.begin(), list.end(),
                  [](const ConflictCopy& a, const ConflictCopy& b) { return a.path < b.path; });
    return copies;
}

// A genre list or genre file read whole, or nullopt when it cannot be read or understood.
template <class Content>
std::optional<Content> ReadListing(const std::string& path, std::uint64_t maxBytes, Content (*read)(TextFileReader&))
{
    TextFileReader reader;
    if (reader.Open(path, maxBytes) != 0)
        return std::nullopt;
    Content content = read(reader);
    if (!content.problem.empty())
        return std::nullopt;
    return content;
}

// The names a genre list or genre file holds, or nullopt when it cannot be read (the copies
// beside it are then left for a pass that can tell them from entries of that file).
std::optional<std::set<std::string>> ListedGenres(const std::string& listPath)
{
    auto content = ReadListing(listPath, GroupListFile::kMaxBytes, &GroupListFile::Read);
    if (!content)
        return std::nullopt;
    return std::set<std::string>(content->names.begin(), content->names.end());
}
std::optional<std::set<std::string>> ListedTitles(const std::string& groupFile)
{
    auto content = ReadListing(groupFile, GroupFile::kMaxBytes, &GroupFile::Read);
    if (!content)
        return std::nullopt;
    std::set<std::string> names;
    for (const GroupFile::Title& title : content->titles)
        names.insert(title.name.value_or(""));
    return names;
}

// `folder` as the messages name it: from the home folder.
std::string ShownFolder(const std::string& home, const std::string& folder)
{
    if (folder.compare(0, home.size() + 1, home + "/") == 0)
        return folder.substr(home.size() + 1) + "/";
    return folder + "/";
}

}  // namespace

bool MergeConflictCopies(const CZarn2App& app)
{
    FolderListings listings;
    return MergeConflictCopies(app, listings);
}

bool MergeConflictCopies(const CZarn2App& app, FolderListings& listings)
{
    const std::string& listPath = app.m_szGroupListPath;
    std::string::size_type slash = listPath.rfind('/');
    if (listPath.empty() || slash == std::string::npos || app.m_szDataDir.empty())
        return false;
    MergeReport report;
    bool changed = false;
    CopySettling::ThisRun().BeginPass();

    // The genre list, beside the settings file (whose copies stay).
    std::string home = listPath.substr(0, slash);
    std::string listName = listPath.substr(slash + 1);
    for (auto& [original, copies] :
         CopiesIn(
             home, "", [&](const std::string&, const std::string& original) { return original == listName; },
             listings))
        changed |= CopyMerges::IntoGroupList(listPath, copies, report);

    // The genre files: a genre whose own name looks like a copy's is none.
    if (std::optional<std::set<std::string>> genres = ListedGenres(listPath)) {
        const std::string& data = app.m_szDataDir;
        std::string shownData = ShownFolder(home, data);
        for (auto& [original, copies] :
             CopiesIn(data, shownData, [&](const std::string&name, const std::string&original) {
                 return EndsWith(original, kGroupExt) &&
                        !(EndsWith(name, kGroupExt) && genres->count(Stem(name, kGroupExt)));
             }, listings))
            changed |= CopyMerges::IntoGroupFile(data + "/" + original,
                                                 data + "/" + Stem(original, kGroupExt), copies, report);

        // The logs, in the folders of the genres listed: a title whose own name looks like a
        // copy's is none.
        for (const std::string& genre : *genres) {
            if (NameRules::StoredNameProblem(NameRules::Kind::Group, genre).Refused())
                continue;
            std::string folder = data + "/" + genre;
            std::optional<std::set<std::string>> titles;
            bool readable = true;
            auto ours = [&](const std::string& name, const std::string& original) {
                if (!EndsWith(original, kLogExt) || !readable)
                    return false;
                if (!titles && !(titles = ListedTitles(folder + std::string(kGroupExt))))
                    return readable = false;
                return !(EndsWith(name, kLogExt) && titles->count(Stem(name, kLogExt)));
            };
            for (auto& [original, copies] : CopiesIn(folder, ShownFolder(home, folder), ours, listings))
                changed |= CopyMerges::IntoLog(folder + "/" + original, copies, report);
        }
    }
    CopySettling::ThisRun().EndPass();
    report.Show(app.m_szTempDir.empty() ? "" : app.m_szTempDir + "/" + RunFolder::kKeptCopies);
    return changed;
}
