#include "sync/JournalKeeper.h"

#include "app/CZarn2App.h"
#include "app/RunFolder.h"
#include "history/CPlayTime.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/BackupCopy.h"
#include "platform/FileSystem.h"
#include "platform/FolderListings.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"
#include "sync/Compaction.h"
#include "sync/ConflictName.h"
#include "sync/LibraryDiff.h"
#include "sync/LogPlays.h"
#include "sync/Materialize.h"
#include "sync/Notices.h"
#include "sync/TakeIn.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

std::int64_t SystemMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string ContentOf(std::string_view bytes, const StampLine::Found& found)
{
    return std::string(bytes.substr(0, found.contentBytes));
}

}  // namespace

JournalKeeper::JournalKeeper(const CZarn2App& app, const std::string& machineId,
                             std::function<std::int64_t()> wallMs)
    : m_app(app), m_folder(app.m_szDataDir + "/" + kFolderName), m_self(m_machines.Index(machineId)),
      m_set(m_folder, m_machines), m_own(m_folder, machineId, m_self),
      m_wallMs(wallMs ? std::move(wallMs) : std::function<std::int64_t()>(SystemMs))
{
}

// ---- the journals ---------------------------------------------------------------------

void JournalKeeper::Prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    if (!FileSystem::EntryExists(m_folder))
        FileSystem::MakeFolder(m_folder);
    m_set.Refresh();
    LoadOwn();
    RestoreOwn();
    FoldAll();
}

bool JournalKeeper::Refresh()
{
    Prepare();
    if (!m_set.Refresh())
        return false;
    RestoreOwn();
    if (m_set.LastSeq(m_self) > m_own.LastSeq())
        LoadOwn();  // changed by someone else: numbered on from what it holds
    FoldAll();
    return true;
}

void JournalKeeper::LoadOwn()
{
    // Numbers the other PCs have seen are never given again, even when the file lost them.
    int seen = 0;
    for (int machine : m_set.Machines())
        seen = std::max(seen, m_set.Saw(machine, m_self));
    m_own.Loaded(m_set.ReadOf(m_self), seen);
}

void JournalKeeper::RestoreOwn()
{
    // Lines of this PC's journal that this run holds went missing from its file, or the file
    // holds lines that do not read: it is written anew with the lines held.
    const JournalText::Read* read = m_set.ReadOf(m_self);
    const bool damaged = read != nullptr && read->damaged > 0;
    if (!m_set.LostLines(m_self) && !damaged)
        return;
    std::vector<Journal::Entry> lines;
    for (const LibraryFold::EntryPtr& entry : m_set.Entries())
        if (entry->machine == m_self)
            lines.push_back(*entry);
    std::string kept;
    if (damaged && BackupCopy::Keep(m_own.Path(), kept) != 0)
        return;  // its unreadable lines go nowhere without a copy
    if (int err = m_own.Rewrite(lines, Applied(), m_machines)) {
        ShowFailure(m_own.Path(), err, true);
        return;
    }
    m_set.Rewritten(m_self);
    m_set.Refresh();
    LoadOwn();
    m_ownNotices.push_back(
        {m_self, "journal-restored:" + std::to_string(m_own.LastSeq()) + ":" + kept,
         Format("この PC の変更の記録<%s>から失われていた変更を, 覚えていた内容で書き直しました.%s%s",
                m_own.Path().c_str(), kept.empty() ? "" : " 読めなかった行を含む元のファイル: ", kept.c_str())});
}

std::vector<LibraryFold::Notice> JournalKeeper::DamageNotices() const
{
    std::vector<LibraryFold::Notice> notices;
    for (int machine : m_set.Machines()) {
        size_t damaged = m_set.Damaged(machine);
        if (damaged == 0)
            continue;
        std::string path = JournalSet::PathOf(m_folder, m_machines.Name(machine));
        notices.push_back({m_self, "journal-damaged:" + m_machines.Name(machine) + ":" + std::to_string(damaged),
                           Format("変更の記録<%s>に読めない行が %zu 行あり, その行の変更は行えませんでした.",
                                  path.c_str(), damaged)});
    }
    return notices;
}

void JournalKeeper::FoldAll()
{
    std::vector<std::string> names;
    for (int i = 0; i < m_machines.Count(); ++i)
        names.push_back(m_machines.Name(i));
    std::vector<LibraryFold::EntryPtr> entries = m_set.Entries();
    for (const Journal::Entry& entry : m_unwritten)
        entries.push_back(std::make_shared<const Journal::Entry>(entry));
    m_fold.Fold(std::move(entries), names);
    m_clock = std::max(m_clock, m_fold.MaxStamp());
}

const LibraryFold& JournalKeeper::Fold()
{
    Prepare();
    return m_fold;
}

std::vector<int> JournalKeeper::Applied() const
{
    std::vector<int> applied(static_cast<size_t>(m_machines.Count()), 0);
    for (int machine : m_set.Machines())
        if (machine != m_self)
            applied[static_cast<size_t>(machine)] = m_set.LastSeq(machine);
    return applied;
}

std::int64_t JournalKeeper::NextStamp()
{
    m_clock = std::max(m_wallMs(), m_clock + 1);
    return m_clock;
}

ChangeRecorder JournalKeeper::Recorder()
{
    return ChangeRecorder(m_fold, m_hints, m_self, LastSeq() + 1,
                          std::make_shared<const std::vector<int>>(Applied()), [this] { return NextStamp(); });
}

bool JournalKeeper::Commit(std::vector<Journal::Entry> entries)
{
    if (m_prepared && !m_set.Unchanged(m_self))
        Refresh();  // the file lost lines, say: they are written back before these go after them
    for (const Journal::Entry& entry : entries)
        m_fold.Apply(std::make_shared<const Journal::Entry>(entry));
    std::vector<Journal::Entry> all = std::move(m_unwritten);
    all.insert(all.end(), entries.begin(), entries.end());
    m_unwritten.clear();
    if (all.empty())
        return true;
    FileStamp stamp;
    if (int err = m_own.Append(all, Applied(), m_machines, stamp)) {
        ShowFailure(m_own.Path(), err, true);
        m_unwritten = std::move(all);
        return false;
    }
    m_set.Appended(m_self, all, stamp);
    return true;
}

void JournalKeeper::ShowFailure(const std::string& path, int err, bool journal)
{
    // The journal's once whatever the error: its lines wait for any write that works.
    if (!m_shownFailures.insert(path + ":" + (journal ? std::string("journal") : std::to_string(err))).second)
        return;
    if (journal)
        Messenger::Show(Format("ERROR[%d] : 他の PC と共有する変更の記録<%s>を書き込めませんでした.\n"
                               "書き込めるようになり次第, まとめて書き込みます.",
                               err, path.c_str()));
    else
        Messenger::Show(Format("ERROR[%d] : 他の PC での変更を<%s>に書き込めませんでした.\n"
                               "書き込めるようになり次第, 書き込みます.",
                               err, path.c_str()));
}

// ---- telling a file a launcher wrote from one it did not --------------------------------

bool JournalKeeper::Foreign(std::string_view bytes) const { return Foreign(StampLine::Find(bytes)); }

bool JournalKeeper::Foreign(const StampLine::Found& found) const
{
    if (!found.stamped)
        return true;
    // A line naming a change of this PC its journal does not hold: a run stopped between the
    // write and its journal line.
    auto own = found.shaped.seqs.find(m_machines.Name(m_self));
    const int held = m_unwritten.empty() ? m_set.LastSeq(m_self) : m_unwritten.back().seq;
    return own != found.shaped.seqs.end() && own->second > held;
}

bool JournalKeeper::Ahead(const StampLine::Found& found) const
{
    if (!found.stamped)
        return false;
    for (const auto& [machine, seq] : found.shaped.seqs) {
        int index = m_machines.Find(machine);
        if (index != m_self && (index < 0 || m_set.LastSeq(index) < seq))
            return true;
    }
    return false;
}

StampLine::Shaped JournalKeeper::Shaped(const LibraryFold::Touch& touch) const
{
    StampLine::Shaped shaped;
    shaped.maxStamp = touch.maxStamp;
    for (const auto& [machine, seq] : touch.seqs)
        shaped.seqs[m_machines.Name(machine)] = seq;
    return shaped;
}

void JournalKeeper::NoteClock(const StampLine::Found& found)
{
    if (found.stamped)
        m_clock = std::max(m_clock, found.shaped.maxStamp);
}

// ---- this PC's changes ----------------------------------------------------------------

std::string JournalKeeper::BeforeWrite(const std::string& path, const std::string& genre, std::string_view bytes)
{
    Prepare();
    m_pending.clear();
    std::string disk;
    int err = RegularFile::ReadAtMost(path, genre.empty() ? GroupListFile::kMaxBytes : GroupFile::kMaxBytes, disk);
    StampLine::Found found = err == 0 ? StampLine::Find(disk) : StampLine::Found{};
    NoteClock(found);
    const TakeIn::Files files{m_app, m_fold, [this](std::string_view b) { return Foreign(b); }};
    if (err == 0 && Foreign(found)) {
        // Changes the file holds without a journal are taken in first: this write is ours alone.
        ChangeRecorder foreign = Recorder();
        TakeIn::LibraryFile(files, genre, disk, foreign);
        Commit(foreign.Take());
        found = StampLine::Found{};
        found.contentBytes = disk.size();
    }
    ChangeRecorder recorder = Recorder();
    std::string before = err == 0 ? ContentOf(disk, found) : std::string();
    LibraryFold::Touch touch = m_fold.ListTouch();
    if (genre.empty()) {
        auto was = before.empty() ? std::optional<LibraryDiff::ListContent>(LibraryDiff::ListContent{})
                                  : LibraryDiff::OfGroupList(before);
        auto now = LibraryDiff::OfGroupList(bytes);
        if (was && now)
            LibraryDiff::List(*was, *now, recorder,
                              [this](const std::string& name) { return TakeIn::ModeOnDisk(m_app, name); });
    } else {
        auto was = before.empty() ? std::optional<LibraryDiff::GenreContent>(LibraryDiff::GenreContent{})
                                  : LibraryDiff::OfGenreFile(before);
        auto now = LibraryDiff::OfGenreFile(bytes);
        if (was && now)
            LibraryDiff::Genre(genre, *was, *now, recorder);
        Journal::Ref ref = recorder.Genre(genre);
        const LibraryFold::Genre* known = ref.ById() ? m_fold.GenreOf(ref.id) : nullptr;
        touch = known ? known->touch : LibraryFold::Touch{};
    }
    m_pending = recorder.Take();
    StampLine::Shaped shaped = Shaped(touch);
    for (const auto& [machine, seq] : found.shaped.seqs)
        shaped.seqs[machine] = std::max(shaped.seqs[machine], seq);
    shaped.maxStamp = std::max(shaped.maxStamp, found.shaped.maxStamp);
    for (const Journal::Entry& e : m_pending) {
        int& seq = shaped.seqs[m_machines.Name(m_self)];
        seq = std::max(seq, e.seq);
        shaped.maxStamp = std::max(shaped.maxStamp, e.stamp);
    }
    return StampLine::Make(bytes, shaped);
}

void JournalKeeper::Written(bool done)
{
    std::vector<Journal::Entry> pending = std::move(m_pending);
    m_pending.clear();
    if (done)
        Commit(std::move(pending));
}

void JournalKeeper::GenreRenamed(const std::string& from, const std::string& to)
{
    m_hints.genres.push_back({"", from, to});
}

void JournalKeeper::TitleRenamed(const std::string& genre, const std::string& from, const std::string& to)
{
    m_hints.titles.push_back({genre, from, to});
}

void JournalKeeper::TitleMoved(const std::string& from, const std::string& to, const std::string& title)
{
    m_hints.moves.push_back({from, to, title});
}

std::string JournalKeeper::LogPath(const std::string& genre, const std::string& title) const
{
    return m_app.m_szDataDir + "/" + genre + "/" + title + ".Log";
}

void JournalKeeper::KnowLog(const std::string& genre, const std::string& title)
{
    std::string path = LogPath(genre, title);
    if (ReadFileStamp(path, m_knownLogs[path]) != 0)
        m_knownLogs.erase(path);
}

void JournalKeeper::PlayRecorded(const std::string& genre, const std::string& title, const CPlayTime& play)
{
    Prepare();
    ChangeRecorder recorder = Recorder();
    Journal::Entry& e = recorder.Add(Journal::Kind::PlayAdd);
    e.subject = recorder.Title(genre, title);
    e.play = LogPlays::Of(play);
    if (Commit(recorder.Take()))
        KnowLog(genre, title);
}

void JournalKeeper::PlaysCleared(const std::string& genre, const std::string& title)
{
    Prepare();
    ChangeRecorder recorder = Recorder();
    recorder.Add(Journal::Kind::PlaysClear).subject = recorder.Title(genre, title);
    if (Commit(recorder.Take()))
        KnowLog(genre, title);
}

void JournalKeeper::PlaysEdited(const std::string& genre, const std::string& title, const std::vector<PlayEdit>& edits)
{
    Prepare();
    ChangeRecorder recorder = Recorder();
    Journal::Ref ref = recorder.Title(genre, title);
    for (const PlayEdit& edit : edits) {
        if (!edit.before && !edit.after)
            continue;
        Journal::Kind kind = !edit.before ? Journal::Kind::PlayAdd
                             : !edit.after ? Journal::Kind::PlayDelete
                                           : Journal::Kind::PlayChange;
        Journal::Entry& e = recorder.Add(kind);
        e.subject = ref;
        e.play = LogPlays::Of(edit.before ? *edit.before : *edit.after);
        if (edit.before && edit.after)
            e.changed = LogPlays::Of(*edit.after);
    }
    if (Commit(recorder.Take()))
        KnowLog(genre, title);
}

// ---- working the files out ------------------------------------------------------------

bool JournalKeeper::DropBackedCopiesIn(const std::string& folder, const std::function<bool(const std::string&)>& ours,
                                       FolderListings& listings)
{
    bool none = true;
    int error = 0;
    std::vector<FileSystem::FolderEntry> entries = listings.Entries(folder, error);
    for (const FileSystem::FolderEntry& entry : entries) {
        std::string original = ConflictName::Original(entry.name);
        if (original.empty() || !entry.regular || !ours(original))
            continue;
        std::string path = folder + "/" + entry.name;
        std::string bytes;
        if (RegularFile::ReadAtMost(path, GroupFile::kMaxBytes, bytes, SymbolicLinks::Refuse) != 0)
            continue;
        StampLine::Found found = StampLine::Find(bytes);
        if (Foreign(found))
            continue;  // written without a journal: merged as before, then taken in
        if (Ahead(found)) {
            none = false;  // a sign that a journal has not arrived yet
            continue;
        }
        if (FileSystem::RemoveFile(path) == 0)
            listings.Removed(folder, entry.name);
    }
    return none;
}

bool JournalKeeper::BeforeCopyMerge(FolderListings& listings)
{
    Refresh();
    const std::string& list = m_app.m_szGroupListPath;
    std::string home = list.substr(0, list.rfind('/'));
    std::string listName = list.substr(list.rfind('/') + 1);
    bool fine = DropBackedCopiesIn(home, [&](const std::string& name) { return name == listName; }, listings);
    fine = DropBackedCopiesIn(m_app.m_szDataDir,
                              [](const std::string& name) { return std::string_view(name).ends_with(".Zarn"); },
                              listings) &&
           fine;
    // A library file newer than the journals here: a copy merged into it now would take its
    // other PC's changes for this one's.
    std::vector<std::string> files{list};
    for (LibraryFold::Id id : m_fold.GenreOrder())
        files.push_back(m_app.m_szDataDir + "/" + m_fold.GenreOf(id)->name + ".Zarn");
    for (const std::string& path : files) {
        std::string bytes;
        if (RegularFile::ReadAtMost(path, GroupFile::kMaxBytes, bytes) == 0 && Ahead(StampLine::Find(bytes)))
            fine = false;
    }
    return fine;
}

bool JournalKeeper::Reconcile()
{
    Refresh();
    m_hints.Clear();
    Commit({});  // lines an earlier append could not write
    const TakeIn::Files files{m_app, m_fold, [this](std::string_view b) { return Foreign(b); }};
    {
        ChangeRecorder recorder = Recorder();
        TakeIn::LibraryFiles(files, recorder);
        Commit(recorder.Take());
    }
    std::set<std::string> strays;
    {
        ChangeRecorder recorder = Recorder();
        TakeIn::Logs(files, m_knownLogs, recorder, strays);
        Commit(recorder.Take());
    }
    const Materialize::Context context{m_app, m_fold,
                                       [this](const LibraryFold::Touch& touch) { return Shaped(touch); },
                                       [this](const StampLine::Found& found) { return Ahead(found); }, m_heldLogs};
    Materialize::Outcome outcome = Materialize::Write(context, strays);
    for (const auto& [path, err] : outcome.failures)
        ShowFailure(path, err, false);
    ShowNotices();
    WriteSeen();
    Compact();
    return outcome.wrote;
}

void JournalKeeper::Compact()
{
    Compaction::Plan plan = Compaction::Of(m_fold, m_set, m_self);
    if (plan.dropped < Compaction::kMinDropped || plan.dropped * 4 < plan.dropped + plan.kept.size())
        return;
    // The fold stays what it is (what goes changes nothing): the set reads the file again.
    if (m_own.Rewrite(plan.kept, Applied(), m_machines) == 0)
        m_set.Rewritten(m_self);
}

void JournalKeeper::ShowNotices()
{
    std::vector<LibraryFold::Notice> notices = m_fold.Notices();
    notices.insert(notices.end(), m_ownNotices.begin(), m_ownNotices.end());
    for (LibraryFold::Notice& notice : DamageNotices())
        notices.push_back(std::move(notice));
    Notices::Tell(notices, m_self,
                  m_app.m_szTempDir.empty() ? std::string() : m_app.m_szTempDir + "/" + RunFolder::kToldNotices);
}

void JournalKeeper::WriteSeen()
{
    // What this PC has applied of the others: they shorten theirs by it. A PC that has
    // changed nothing yet has its journal too, so that the others wait for it.
    std::vector<int> applied = Applied();
    if (m_set.ReadOf(m_self) != nullptr && !m_own.Behind(applied))
        return;
    FileStamp stamp;
    if (m_own.Append({}, applied, m_machines, stamp) == 0)
        m_set.Appended(m_self, {}, stamp);
}
