#include "sync/Materialize.h"

#include "app/CZarn2App.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/BackupCopy.h"
#include "platform/DiskVersion.h"
#include "platform/FileSystem.h"
#include "platform/RegularFile.h"
#include "platform/TextFileWriter.h"
#include "sync/LibraryDiff.h"
#include "sync/LogPlays.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

struct Disk {
    bool present = false;
    bool readable = false;
    std::string bytes;
    DiskVersion version;  // taken before the bytes are read
    StampLine::Found found;
    std::string_view Content() const { return std::string_view(bytes).substr(0, found.contentBytes); }
};

Disk Look(const std::string& path, std::uint64_t maxBytes)
{
    Disk disk;
    disk.version.Look(path);
    int err = RegularFile::ReadAtMost(path, maxBytes, disk.bytes);
    disk.present = err != ENOENT;
    disk.readable = err == 0;
    if (disk.readable)
        disk.found = StampLine::Find(disk.bytes);
    return disk;
}

// Replaces `path` unless it changed since `disk` was looked at (then EAGAIN: the next pass
// looks again).
int Replace(const std::string& path, Disk& disk, const std::string& bytes)
{
    int err = disk.version.Replace(path, bytes);
    return err == DiskVersion::kChangedElsewhere ? EAGAIN : err;
}

class Writer {
public:
    Writer(const Materialize::Context& context, Materialize::Outcome& outcome) : m_c(context), m_out(outcome) {}

    void Genre(const LibraryFold::Genre& genre)
    {
        std::string dir = m_c.app.m_szDataDir + "/" + genre.name;
        Disk file = Look(dir + ".Zarn", GroupFile::kMaxBytes);
        if (file.readable && m_c.ahead(file.found))
            return;  // shaped by changes not here yet: its genre waits for them
        if (!FileSystem::EntryExists(dir))
            Note(dir, FileSystem::MakeFolder(dir));
        for (LibraryFold::Id id : genre.titles)
            Log(dir, *m_c.fold.TitleOf(id));
        GenreFile(genre, dir + ".Zarn", file);
    }

    void List()
    {
        const std::string& path = m_c.app.m_szGroupListPath;
        Disk disk = Look(path, GroupListFile::kMaxBytes);
        if ((disk.present && !disk.readable) || (disk.readable && m_c.ahead(disk.found)))
            return;
        LibraryDiff::ListContent want = LibraryDiff::OfFold(m_c.fold);
        if (disk.readable && !disk.Content().empty()) {
            std::optional<LibraryDiff::ListContent> was = LibraryDiff::OfGroupList(disk.Content());
            if (!was)
                return;  // no genre list is written over
        }
        TextFileWriter writer;
        LibraryDiff::Write(want, writer);
        Save(path, disk, writer, m_c.fold.ListTouch());
    }

    void Removals(const std::set<std::string>& strays)
    {
        for (const std::string& path : strays) {
            std::string folder = path.substr(0, path.rfind('/'));
            std::string genre = folder.substr(folder.rfind('/') + 1);
            std::string name = path.substr(path.rfind('/') + 1);
            const LibraryFold::Title* owner = m_c.fold.PathOwner(genre, name.substr(0, name.size() - 4));
            Disk disk;
        disk.version.Look(path);
        LogPlays::Read read = LogPlays::Load(path);
            bool held = owner != nullptr && read.error == 0 &&
                        std::all_of(read.plays.begin(), read.plays.end(),
                                    [owner](const Journal::Play& p) { return owner->plays.count(p) != 0; });
            if (held && FileSystem::RemoveFile(path) == 0) {
                m_c.held.erase(path);
                m_out.wrote = true;
            }
        }
        for (const std::string& name : m_c.fold.GenreNamesEver()) {
            if (m_c.fold.GenreNamed(name) != nullptr)
                continue;
            std::string dir = m_c.app.m_szDataDir + "/" + name;
            Disk file = Look(dir + ".Zarn", GroupFile::kMaxBytes);
            // Only a file a launcher wrote from changes held here: anything else is not ours.
            if (file.readable && file.found.stamped && !m_c.ahead(file.found) && FileSystem::RemoveFile(dir + ".Zarn") == 0)
                m_out.wrote = true;
            if (FileSystem::EntryExists(dir) && FileSystem::RemoveFolder(dir) == 0)
                m_out.wrote = true;
        }
    }

private:
    void Note(const std::string& path, int err)
    {
        if (err != 0 && err != EEXIST && err != EAGAIN)
            m_out.failures.emplace_back(path, err);
    }

    void Log(const std::string& dir, const LibraryFold::Title& title)
    {
        std::string path = dir + "/" + title.name + ".Log";
        std::vector<Journal::Play> plays = m_c.fold.Plays(title);
        const std::uint64_t digest = LogPlays::Digest(plays);
        FileStamp now;
        auto held = m_c.held.find(path);
        if (held != m_c.held.end() && held->second.digest == digest && ReadFileStamp(path, now) == 0 &&
            now == held->second.stamp)
            return;  // unchanged since it was found to hold these plays
        Disk disk;
        disk.version.Look(path);
        LogPlays::Read read = LogPlays::Load(path);
        if (read.error != 0 && read.error != ENOENT)
            return;
        if (read.error == 0) {
            std::vector<Journal::Play> was = read.plays;
            std::sort(was.begin(), was.end());
            was.erase(std::unique(was.begin(), was.end()), was.end());
            if (was == plays) {
                m_c.held[path] = {read.stamp, digest};
                return;
            }
            std::string kept;
            if (read.damaged > 0 && BackupCopy::Keep(path, kept) != 0)
                return;  // its damaged records go nowhere without a copy
        }
        int err = Replace(path, disk, LogPlays::Bytes(plays));
        Note(path, err);
        if (err == 0 && ReadFileStamp(path, now) == 0) {
            m_out.wrote = true;
            m_c.held[path] = {now, digest};
        }
    }

    void GenreFile(const LibraryFold::Genre& genre, const std::string& path, Disk& disk)
    {
        if (disk.present && !disk.readable)
            return;
        LibraryDiff::GenreContent want = LibraryDiff::OfFold(m_c.fold, genre);
        if (disk.readable && !disk.Content().empty()) {
            std::optional<LibraryDiff::GenreContent> was = LibraryDiff::OfGenreFile(disk.Content());
            if (!was)
                return;  // no genre file is written over
        }
        TextFileWriter writer;
        LibraryDiff::Write(want, writer);
        Save(path, disk, writer, genre.touch);
    }

    void Save(const std::string& path, Disk& disk, const TextFileWriter& writer, const LibraryFold::Touch& touch)
    {
        std::string bytes;
        if (!writer.Encode(bytes, nullptr))
            return;  // names of the journals pass the rules: text code page 932 holds
        bytes += StampLine::Make(bytes, m_c.shaped(touch));
        if (disk.readable && disk.bytes == bytes)
            return;
        int err = Replace(path, disk, bytes);
        Note(path, err);
        if (err == 0)
            m_out.wrote = true;
    }

    const Materialize::Context& m_c;
    Materialize::Outcome& m_out;
};

}  // namespace

namespace Materialize {

Outcome Write(const Context& context, const std::set<std::string>& strays)
{
    Outcome outcome;
    Writer writer(context, outcome);
    for (LibraryFold::Id id : context.fold.GenreOrder())
        writer.Genre(*context.fold.GenreOf(id));
    writer.List();
    writer.Removals(strays);
    return outcome;
}

}  // namespace Materialize
