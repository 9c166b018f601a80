#include "sync/TakeIn.h"

#include "app/CZarn2App.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/FileSystem.h"
#include "platform/RegularFile.h"
#include "sync/ChangeRecorder.h"
#include "sync/LibraryDiff.h"
#include "sync/LogPlays.h"
#include "sync/StampLine.h"

#include <algorithm>
#include <string_view>

namespace {

using Journal::Kind;

std::optional<std::string> ReadFile(const std::string& path, std::uint64_t maxBytes)
{
    std::string bytes;
    if (RegularFile::ReadAtMost(path, maxBytes, bytes) != 0)
        return std::nullopt;
    return bytes;
}

std::string_view Content(std::string_view bytes) { return bytes.substr(0, StampLine::Find(bytes).contentBytes); }

std::string GenreFilePath(const CZarn2App& app, const std::string& genre) { return app.m_szDataDir + "/" + genre + ".Zarn"; }

// A new genre's play mode and titles as its file holds them (none when it cannot be read).
LibraryDiff::GenreContent OnDisk(const CZarn2App& app, const std::string& genre)
{
    std::optional<std::string> bytes = ReadFile(GenreFilePath(app, genre), GroupFile::kMaxBytes);
    std::optional<LibraryDiff::GenreContent> content =
        bytes ? LibraryDiff::OfGenreFile(Content(*bytes)) : std::nullopt;
    return content.value_or(LibraryDiff::GenreContent{});
}

// The plays of one log against its title: what the log adds, and (unless it is a log no
// living title has) what it deletes or clears.
void LogOf(const std::string& path, const LibraryFold& fold, const LibraryFold::Title& title, bool stray,
           std::map<std::string, FileStamp>& known, ChangeRecorder& recorder)
{
    FileStamp now;
    if (ReadFileStamp(path, now) != 0)
        return;  // no log: nothing said (a rename or a deletion elsewhere on its way)
    auto last = known.find(path);
    if (last != known.end() && last->second == now)
        return;
    const bool seenBefore = last != known.end();
    const FileStamp before = seenBefore ? last->second : FileStamp{};
    LogPlays::Read read = LogPlays::Load(path);
    if (read.error != 0)
        return;
    known[path] = read.stamp;
    Journal::Ref ref;
    ref.id = title.id;
    std::set<Journal::Play> onDisk(read.plays.begin(), read.plays.end());
    for (const Journal::Play& play : onDisk) {
        if (title.plays.count(play) != 0)
            continue;
        Journal::Entry& e = recorder.Add(Kind::PlaySeen);
        e.subject = ref;
        e.play = play;
    }
    if (stray)
        return;
    std::vector<Journal::Play> living = fold.Plays(title);
    if (seenBefore && before.inode == read.stamp.inode && before.size > 0 && read.stamp.size == 0 &&
        !living.empty()) {
        recorder.Add(Kind::PlaysClear).subject = ref;  // emptied in place, as a history is cleared
        return;
    }
    // Of each PC, the latest play the log knows of: a log that holds it knew the earlier ones.
    std::map<int, int> latest;
    for (const Journal::Play& play : onDisk) {
        auto state = title.plays.find(play);
        if (state == title.plays.end())
            continue;
        for (int add : state->second.adds) {
            if (!fold.Recorded(add))
                continue;
            const Journal::Entry& e = *fold.Applied()[static_cast<size_t>(add)];
            latest[e.machine] = std::max(latest[e.machine], e.seq);
        }
    }
    for (const Journal::Play& play : living) {
        if (onDisk.count(play) != 0)
            continue;
        const LibraryFold::PlayState& state = title.plays.at(play);
        bool knew = std::any_of(state.adds.begin(), state.adds.end(), [&](int add) {
            if (!fold.Recorded(add))
                return false;
            const Journal::Entry& e = *fold.Applied()[static_cast<size_t>(add)];
            auto at = latest.find(e.machine);
            return at != latest.end() && at->second > e.seq;
        });
        if (!knew)
            continue;
        Journal::Entry& e = recorder.Add(Kind::PlayDelete);
        e.subject = ref;
        e.play = play;
    }
}

}  // namespace

namespace TakeIn {

void LibraryFile(const Files& files, const std::string& genre, std::string_view bytes, ChangeRecorder& recorder)
{
    std::string_view content = Content(bytes);
    if (content.empty())
        return;  // an empty file says nothing (a genre just made, or a file cut short)
    if (genre.empty()) {
        std::optional<LibraryDiff::ListContent> after = LibraryDiff::OfGroupList(content);
        if (!after)
            return;
        LibraryDiff::ListContent before = LibraryDiff::OfFold(files.fold);
        LibraryDiff::List(before, *after, recorder, [&files](const std::string& name) { return ModeOnDisk(files.app, name); });
        for (const std::string& name : after->names) {
            if (std::find(before.names.begin(), before.names.end(), name) != before.names.end())
                continue;
            LibraryDiff::GenreContent now = OnDisk(files.app, name);
            LibraryDiff::Genre(name, LibraryDiff::GenreContent{now.mode, {}, {}}, now, recorder);
        }
        return;
    }
    const LibraryFold::Genre* known = files.fold.GenreNamed(genre);
    std::optional<LibraryDiff::GenreContent> after = LibraryDiff::OfGenreFile(content);
    if (known != nullptr && after)
        LibraryDiff::Genre(genre, LibraryDiff::OfFold(files.fold, *known), *after, recorder);
}

void LibraryFiles(const Files& files, ChangeRecorder& recorder)
{
    std::vector<std::string> genres = LibraryDiff::OfFold(files.fold).names;
    if (std::optional<std::string> list = ReadFile(files.app.m_szGroupListPath, GroupListFile::kMaxBytes);
        list && files.foreign(*list)) {
        LibraryFile(files, "", *list, recorder);
        // The genres the list added were read with it; those it left are gone.
        if (std::optional<LibraryDiff::ListContent> now = LibraryDiff::OfGroupList(Content(*list)))
            std::erase_if(genres, [&now](const std::string& name) {
                return std::find(now->names.begin(), now->names.end(), name) == now->names.end();
            });
    }
    for (const std::string& genre : genres) {
        std::optional<std::string> bytes = ReadFile(GenreFilePath(files.app, genre), GroupFile::kMaxBytes);
        if (bytes && files.foreign(*bytes))
            LibraryFile(files, genre, *bytes, recorder);
    }
}

int ModeOnDisk(const CZarn2App& app, const std::string& genre) { return OnDisk(app, genre).mode; }

void Logs(const Files& files, std::map<std::string, FileStamp>& known, ChangeRecorder& recorder,
          std::set<std::string>& strays)
{
    const LibraryFold& fold = files.fold;
    const std::string& data = files.app.m_szDataDir;
    for (LibraryFold::Id genreId : fold.GenreOrder()) {
        const LibraryFold::Genre& genre = *fold.GenreOf(genreId);
        for (LibraryFold::Id titleId : genre.titles) {
            const LibraryFold::Title& title = *fold.TitleOf(titleId);
            LogOf(data + "/" + genre.name + "/" + title.name + ".Log", fold, title, false, known, recorder);
        }
    }
    constexpr std::string_view kLog = ".Log";
    for (const std::string& name : fold.GenreNamesEver()) {
        const LibraryFold::Genre* living = fold.GenreNamed(name);
        int error = 0;
        for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(data + "/" + name, error)) {
            std::string_view file = entry.name;
            if (!entry.regular || file.size() <= kLog.size() || !file.ends_with(kLog))
                continue;
            std::string stem(file.substr(0, file.size() - kLog.size()));
            if (living != nullptr && fold.TitleNamed(*living, stem) != nullptr)
                continue;
            const LibraryFold::Title* owner = fold.PathOwner(name, stem);
            if (owner == nullptr)
                continue;  // a file of no title the journals know: not ours to take
            std::string path = data + "/" + name + "/" + entry.name;
            strays.insert(path);
            LogOf(path, fold, *owner, true, known, recorder);
        }
    }
}

}  // namespace TakeIn
