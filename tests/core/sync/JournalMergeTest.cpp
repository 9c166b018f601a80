// Several PCs sharing one library through their change journals, with no sync tool: each PC
// changes its own copy of the library offline through the library's operations, then every
// PC gets every journal (journals are the only files exchanged) and works its files out.
// Every PC must end with the same bytes and the expected library, and the PC whose change
// could not be applied as it was is told.
#include "support/ProgramFolder.h"
#include "support/ScriptedMessenger.h"

#include "history/PlayLogEdit.h"
#include "history/PlayLogRecord.h"
#include "history/PlayLogRewrite.h"
#include "history/RawPlayLog.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/FolderListings.h"
#include "platform/TextFileReader.h"
#include "sync/ConflictCopies.h"
#include "sync/JournalKeeper.h"
#include "sync/LogPlays.h"
#include "sync/StampLine.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;

std::int64_t g_wall = 1'700'000'000'000;  // every stamp asked for is later than the one before

// One PC: its program folder, its library and its journal.
struct Pc {
    explicit Pc(const std::string& id) : keeper(folder.app, id, [] { return g_wall += 1000; }) {}

    CZarn2Doc& Doc()
    {
        if (!folder.doc) {
            folder.doc = std::make_unique<CZarn2Doc>(folder.app);
            folder.doc->AttachJournal(&keeper);
            folder.doc->OnNewDocument();
        }
        return *folder.doc;
    }
    // A click on the genre (the list is saved with it), then on the title.
    CGroup& Select(const std::string& genre, const std::string& title = {})
    {
        CZarn2Doc& doc = Doc();
        doc.SelectGroup(doc.IndexOfGroup(genre));
        CGroup& group = *doc.CurrGroup();
        if (!title.empty())
            doc.SetCurrMember(group.IndexOf(title));
        return group;
    }
    std::string Data() const { return folder.app.m_szDataDir; }

    ProgramFolder folder;
    JournalKeeper keeper;
};

CPlayTime Session(const std::string& start, int seconds)
{
    CPlayTime session;
    PlayLogRecord::ParseStart(start, session);
    session.m_nElapsed = seconds;
    session.SplitElapsed();
    return session;
}

// ---- what a PC does -------------------------------------------------------------------

using Change = std::function<void(Pc&)>;

Change Play(const std::string& genre, const std::string& title, const std::string& start, int seconds)
{
    return [=](Pc& pc) {
        pc.Select(genre, title);
        pc.Doc().RecordSession(Session(start, seconds));
    };
}
Change AddTitle(const std::string& genre, const std::string& name)
{
    return [=](Pc& pc) {
        pc.Select(genre);
        pc.Doc().AddMember(name, "/g/" + name, "/g/" + name, 1, 0);
    };
}
Change AddGenre(const std::string& name)
{
    return [=](Pc& pc) {
        pc.Doc().AddGroup(name, 0);
        pc.Doc().SaveGroupList();
    };
}
Change Edit(const std::string& genre, const std::string& title, const std::string& name, const std::string& exe = {},
            const std::string& icon = {})
{
    return [=](Pc& pc) {
        CMember& member = *pc.Select(genre, title).CurrMember();
        pc.Doc().EditMember(name, exe.empty() ? member.m_szExePath : exe, icon.empty() ? member.m_szIconPath : icon,
                            1, 0);
    };
}
Change Move(const std::string& genre, const std::string& title, const std::string& to)
{
    return [=](Pc& pc) {
        pc.Select(genre, title);
        pc.Doc().MoveMember(pc.Doc().IndexOfGroup(to));
        pc.Doc().SaveGroupList();
    };
}
Change DeleteTitle(const std::string& genre, const std::string& title)
{
    return [=](Pc& pc) {
        CGroup& group = pc.Select(genre, title);
        group.DeleteMember(group.IndexOf(title));
    };
}
Change DeleteGenre(const std::string& genre)
{
    return [=](Pc& pc) {
        pc.Select(genre);
        pc.Doc().DeleteGroup(pc.Doc().IndexOfGroup(genre));
        pc.Doc().SaveGroupList();
    };
}
Change RenameGenre(const std::string& genre, const std::string& to)
{
    return [=](Pc& pc) {
        pc.Select(genre);
        pc.Doc().RenameGroup(to, 0);
        pc.Doc().SaveGroupList();
    };
}
// The record editor on play `index` of the title: its seconds changed, or (-1) deleted.
Change EditPlay(const std::string& genre, const std::string& title, int index, int seconds)
{
    return [=](Pc& pc) {
        CMember& member = *pc.Select(genre, title).CurrMember();
        std::vector<RawPlayLog::Record> records;
        ASSERT_TRUE(PlayLogRewrite::Load(member.m_szLogFile, records));
        PlayLogEdit edit(records);
        if (seconds < 0) {
            edit.Delete({index});
        } else {
            CPlayTime play = edit.Rows()[static_cast<size_t>(index)].play;
            play.m_nElapsed = seconds;
            edit.Change(index, play);
        }
        ASSERT_TRUE(PlayLogRewrite::Save(member.m_szLogFile, edit));
        std::vector<ILibraryJournal::PlayEdit> edits;
        for (const PlayLogEdit::PlayChange& change : edit.Changes())
            edits.push_back({change.before, change.after});
        pc.keeper.PlaysEdited(genre, title, edits);
    };
}
Change ClearHistory(const std::string& genre, const std::string& title)
{
    return [=](Pc& pc) {
        pc.Select(genre, title);
        pc.Doc().ResetHistory();
    };
}
// ---- what the files get without a journal (the Windows version, an editor, a sync tool) --

const Change Nothing = [](Pc&) {};

// `genre`'s file with `titles` (program and icon "/g/<title>"), the first current, no journal line.
std::string GenreText(const std::vector<std::string>& titles)
{
    std::string text = "[PlayMode]\r\n0\r\n\r\n[CurrMember]\r\n0\r\n\r\n";
    for (size_t i = 0; i < titles.size(); ++i)
        text += "[Title00" + std::to_string(i) + "]\r\n" + titles[i] + "\r\n/g/" + titles[i] + "\r\n/g/" + titles[i] +
                "\r\n1\r\n0\r\n\r\n";
    return text;
}
// A file of the data folder written in place.
Change Write(const std::string& file, const std::string& bytes)
{
    return [=](Pc& pc) { TempDir::WriteBytes(pc.Data() + "/" + file, bytes); };
}
// A conflict copy a sync tool finished a while ago (a copy is merged once it has settled).
Change WriteSettled(const std::string& file, const std::string& bytes)
{
    return [=](Pc& pc) {
        const std::string path = pc.Data() + "/" + file;
        TempDir::WriteBytes(path, bytes);
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
    };
}
Change AppendInPlace(const std::string& file, const std::string& bytes)
{
    return [=](Pc& pc) {
        std::ofstream out(pc.Data() + "/" + file, std::ios::binary | std::ios::app);
        out << bytes;
    };
}
// A file of the data folder replaced by another (a new inode, as sync tools write).
Change Replace(const std::string& file, const std::string& bytes)
{
    return [=](Pc& pc) {
        TempDir::WriteBytes(pc.Data() + "/" + file + ".new", bytes);
        fs::rename(pc.Data() + "/" + file + ".new", pc.Data() + "/" + file);
    };
}
Change CopyAs(const std::string& file, const std::string& copy)
{
    return [=](Pc& pc) { fs::copy_file(pc.Data() + "/" + file, pc.Data() + "/" + copy); };
}
Change Stamped(const std::string& file, const std::string& content, const std::map<std::string, int>& seqs)
{
    return [=](Pc& pc) { TempDir::WriteBytes(pc.Data() + "/" + file, content + StampLine::Make(content, {seqs, 1})); };
}
// A conflict copy of A's journal as the sync tool leaves it when a PC joined with a copy of
// the folder: the version of the journal this PC has, and, when the copy is the newer
// version, one more play recorded on A (of Z, the title A played last).
Change ConflictCopyOfAsJournal(bool newer)
{
    return [=](Pc& pc) {
        const std::string folder = pc.Data() + "/" + ILibraryJournal::kFolderName + "/";
        std::string text = TempDir::ReadBytes(folder + "a-pc.log");
        if (newer) {
            size_t at = text.rfind("\tP+\t") + 4;
            std::string subject = text.substr(at, text.find('\t', at) - at);
            int seq = 0;
            for (size_t line = 0; line < text.size(); line = text.find('\n', line) + 1)
                if (isdigit(static_cast<unsigned char>(text[line])))
                    seq = std::max(seq, std::stoi(text.substr(line)));
            text += std::to_string(seq + 1) + "\t1800000000000\tP+\t" + subject + "\t2024/06/01,10:00:00\t90\n";
        }
        TempDir::WriteBytes(folder + "a-pc.sync-conflict-20240601-100000-ABCDEFG.log", text);
    };
}
// This PC's journal changed in place (by hand, a disk, an old copy put back).
Change EditJournal(std::function<void(std::string&)> edit)
{
    return [=](Pc& pc) {
        std::string text = TempDir::ReadBytes(pc.keeper.JournalPath());
        edit(text);
        TempDir::WriteBytes(pc.keeper.JournalPath(), text);
    };
}
Change Both(Change first, Change second)
{
    return [=](Pc& pc) {
        first(pc);
        second(pc);
    };
}

// ---- what the PCs end with ------------------------------------------------------------

std::string Read(const std::string& path) { return TempDir::ReadBytes(path); }

// "G[X(60,120) Y()] H[Z(30)]": the genres in order, their titles in order, each title's
// plays' seconds in start order; a "*" after the current genre and title; a program or icon
// other than "/g/<title>" in braces.
std::string Library(const Pc& pc)
{
    TextFileReader list;
    list.OpenBytes(Read(pc.folder.app.m_szGroupListPath));
    GroupListFile::Content genres = GroupListFile::Read(list);
    std::string out;
    for (size_t g = 0; g < genres.names.size(); ++g) {
        const std::string& genre = genres.names[g];
        TextFileReader file;
        file.OpenBytes(Read(pc.Data() + "/" + genre + ".Zarn"));
        GroupFile::Content titles = GroupFile::Read(file);
        out += (out.empty() ? "" : " ") + genre + (static_cast<int>(g) == genres.currGroup ? "*" : "") + "[";
        for (size_t t = 0; t < titles.titles.size(); ++t) {
            std::string name = titles.titles[t].name.value_or("");
            out += (t ? " " : "") + name + (static_cast<int>(t) == titles.currMember ? "*" : "");
            for (const std::optional<std::string>& path : {titles.titles[t].exePath, titles.titles[t].iconPath})
                if (path.value_or("") != "/g/" + name)
                    out += "{" + path.value_or("") + "}";
            out += "(";
            LogPlays::Read plays = LogPlays::Load(pc.Data() + "/" + genre + "/" + name + ".Log");
            for (size_t p = 0; p < plays.plays.size(); ++p)
                out += (p ? "," : "") + std::to_string(plays.plays[p].seconds);
            out += plays.error ? "no log)" : ")";
        }
        out += "]";
    }
    return out;
}

// Every library file below the program folder (the journals aside), by path, with its bytes.
std::map<std::string, std::string> Files(const Pc& pc)
{
    std::map<std::string, std::string> files{{"Zarn2.Grp", Read(pc.folder.app.m_szGroupListPath)}};
    for (const auto& entry : fs::recursive_directory_iterator(pc.Data())) {
        std::string path = entry.path().string().substr(pc.Data().size());
        if (entry.is_regular_file() && path.find(ILibraryJournal::kFolderName) == std::string::npos)
            files[path] = Read(entry.path().string());
    }
    return files;
}

// Each PC's own journal goes to every other PC (what a sync tool does with them), and so do
// the conflict copies of journals a PC has.
void ShareJournals(std::vector<Pc*> pcs)
{
    auto folder = [](Pc* pc) { return pc->Data() + "/" + ILibraryJournal::kFolderName + "/"; };
    for (Pc* from : pcs) {
        std::vector<fs::path> files;
        if (fs::exists(from->keeper.JournalPath()))
            files.push_back(from->keeper.JournalPath());
        for (const auto& entry : fs::directory_iterator(folder(from)))
            if (entry.path().filename().string().find(".sync-conflict-") != std::string::npos)
                files.push_back(entry.path());
        for (Pc* to : pcs)
            for (const fs::path& file : files)
                if (from != to)
                    fs::copy_file(file, folder(to) + file.filename().string(), fs::copy_options::overwrite_existing);
    }
}

// The library every row starts from, made on A and copied to the others with A's journal.
void Start(std::vector<Pc*> pcs)
{
    Pc& a = *pcs[0];
    AddGenre("G")(a);
    AddTitle("G", "X")(a);
    AddTitle("G", "Y")(a);
    AddGenre("H")(a);
    AddTitle("H", "Z")(a);
    Play("G", "X", "2024/05/01,10:00:00", 60)(a);
    Play("G", "X", "2024/05/02,10:00:00", 120)(a);
    Play("H", "Z", "2024/05/03,10:00:00", 30)(a);
    a.Select("G", "X");
    a.Doc().SaveGroupList();
    a.keeper.Reconcile();
    for (size_t i = 1; i < pcs.size(); ++i) {
        fs::copy(a.folder.app.m_szGroupListPath, pcs[i]->folder.app.m_szGroupListPath);
        fs::copy(a.Data(), pcs[i]->Data(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        pcs[i]->Doc();
        pcs[i]->keeper.Reconcile();  // as at its first start: its journal tells the others it is there
    }
    ShareJournals(pcs);
}

// What the folder watch does: the conflict copies first, then the journals.
bool ReconcileAsTheWatch(Pc& pc)
{
    FolderListings listings;
    if (pc.keeper.BeforeCopyMerge(listings))
        MergeConflictCopies(pc.folder.app, listings);
    return pc.keeper.Reconcile();
}

struct Row {
    const char* what;
    std::vector<Change> changes;          // one a PC: A, B (and C)
    std::string library;                  // every PC's, at the end
    std::vector<std::string> told;        // a part of what each PC is told ("" nothing)
};

void RunRow(const Row& row)
{
    SCOPED_TRACE(row.what);
    std::vector<std::unique_ptr<Pc>> owned;
    std::vector<Pc*> pcs;
    for (size_t i = 0; i < row.changes.size(); ++i) {
        owned.push_back(std::make_unique<Pc>(std::string(1, static_cast<char>('a' + i)) + "-pc"));
        pcs.push_back(owned.back().get());
    }
    ScriptedMessenger messages;
    Start(pcs);
    for (size_t i = 0; i < pcs.size(); ++i)
        row.changes[i](*pcs[i]);
    messages.Clear();
    // Journals go round twice: what a PC takes in from its files reaches the others too.
    std::vector<std::string> told(pcs.size());
    for (int round = 0; round < 2; ++round) {
        ShareJournals(pcs);
        for (size_t i = 0; i < pcs.size(); ++i) {
            ReconcileAsTheWatch(*pcs[i]);
            for (const std::string& text : messages.messages)
                told[i] += text + "\n";
            messages.Clear();
        }
    }
    for (size_t i = 0; i < pcs.size(); ++i) {
        if (row.told[i].empty())
            EXPECT_EQ(told[i], "") << "PC " << i;
        else
            EXPECT_NE(told[i].find(row.told[i]), std::string::npos) << "PC " << i << " was told: " << told[i];
    }
    for (Pc* pc : pcs)
        EXPECT_EQ(Library(*pc), row.library) << "PC " << pc->keeper.JournalPath();
    if (getenv("JOURNAL_DEBUG"))
        for (Pc* pc : pcs)
            std::cerr << TempDir::ReadBytes(pc->keeper.JournalPath()) << "----\n";
    for (size_t i = 1; i < pcs.size(); ++i)
        EXPECT_EQ(Files(*pcs[i]), Files(*pcs[0])) << "PC " << i << " and A differ";
    for (Pc* pc : pcs)
        for (const auto& entry : fs::directory_iterator(pc->Data() + "/" + ILibraryJournal::kFolderName))
            EXPECT_EQ(entry.path().filename().string().find(".sync-conflict-"), std::string::npos) << entry.path();
    // A second round changes nothing more, and a launcher started again tells nothing again.
    for (Pc* pc : pcs)
        EXPECT_FALSE(ReconcileAsTheWatch(*pc));
    JournalKeeper restarted(pcs[0]->folder.app, "a-pc", [] { return g_wall += 1000; });
    EXPECT_FALSE(restarted.Reconcile());
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front();
}

const char* kKept = "残しました";
const char* kLost = "その後に行われた変更になりました";
const char* kBack = "作り直しました";

}  // namespace

TEST(JournalMerge, OfflineChangesOfTwoAndThreePcsMergeOnceEverywhere)
{
    const std::vector<Row> rows{
        {"both add a title",
         {AddTitle("G", "T1"), AddTitle("G", "T2")},
         "G*[X(60,120) Y() T1() T2*()] H[Z*(30)]",
         {"", ""}},
        {"a rename carries the other PC's play",
         {Edit("G", "X", "X2"), Play("G", "X", "2024/06/01,10:00:00", 90)},
         "G*[X2*{/g/X}{/g/X}(60,120,90) Y()] H[Z*(30)]",
         {"", ""}},
        {"a move carries the other PC's play",
         {Move("G", "X", "H"), Play("G", "X", "2024/06/01,10:00:00", 90)},
         "G[Y*()] H*[Z(30) X*(60,120,90)]",
         {"", ""}},
        {"a title deleted while played elsewhere stays",
         {DeleteTitle("G", "X"), Play("G", "X", "2024/06/01,10:00:00", 90)},
         "G*[Y*() X(60,120,90)] H[Z*(30)]",
         {kKept, kKept}},
        {"a title played here and deleted there later stays",
         {Play("G", "X", "2024/06/01,10:00:00", 90), DeleteTitle("G", "X")},
         "G*[X(60,120,90) Y*()] H[Z*(30)]",
         {kKept, kKept}},
        {"a genre whose title was played here and that is deleted there later keeps that title",
         {Play("H", "Z", "2024/06/01,10:00:00", 90), DeleteGenre("H")},
         "G*[X*(60,120) Y()] H[Z(30,90)]",
         {kKept, kKept}},
        {"a play edited here and deleted there later stays edited",
         {EditPlay("G", "X", 1, 100), EditPlay("G", "X", 1, -1)},
         "G*[X*(60,100) Y()] H[Z*(30)]",
         {kKept, kKept}},
        {"a title deleted and not changed elsewhere stays deleted",
         {DeleteTitle("G", "X"), Play("G", "Y", "2024/06/01,10:00:00", 90)},
         "G*[Y*(90)] H[Z*(30)]",
         {"", ""}},
        {"a play deleted here and another edited there",
         {EditPlay("G", "X", 0, -1), EditPlay("G", "X", 1, 100)},
         "G*[X*(100) Y()] H[Z*(30)]",
         {"", ""}},
        {"a play deleted here and edited there stays edited",
         {EditPlay("G", "X", 1, -1), EditPlay("G", "X", 1, 100)},
         "G*[X*(60,100) Y()] H[Z*(30)]",
         {kKept, kKept}},
        {"a play edited on both: the later edit",
         {EditPlay("G", "X", 1, 100), EditPlay("G", "X", 1, 110)},
         "G*[X*(60,110) Y()] H[Z*(30)]",
         {kLost, ""}},
        {"different fields of one title are both kept",
         {Edit("G", "X", "X", "/new/exe"), Edit("G", "X", "X", "", "/new/icon")},
         "G*[X*{/new/exe}{/new/icon}(60,120) Y()] H[Z*(30)]",
         {"", ""}},
        {"one field changed on both: the later change",
         {Edit("G", "X", "X", "/a/exe"), Edit("G", "X", "X", "/b/exe")},
         "G*[X*{/b/exe}(60,120) Y()] H[Z*(30)]",
         {kLost, ""}},
        {"a title added to a genre deleted elsewhere brings it back with only that title",
         {DeleteGenre("H"), AddTitle("H", "T")},
         "G*[X*(60,120) Y()] H[T*()]",
         {kBack, kBack}},
        {"a genre deleted while its title is played elsewhere keeps that title",
         {DeleteGenre("H"), Play("H", "Z", "2024/06/01,10:00:00", 90)},
         "G*[X*(60,120) Y()] H[Z(30,90)]",
         {kKept, kKept}},
        {"a genre renamed while a title is added to it",
         {RenameGenre("G", "G2"), AddTitle("G", "T")},
         "G2*[X(60,120) Y() T*()] H[Z*(30)]",
         {"", ""}},
        {"a genre renamed here and deleted there is gone",
         {RenameGenre("H", "H2"), DeleteGenre("H")},
         "G*[X*(60,120) Y()]",
         {"行われませんでした", ""}},
        {"a genre deleted here and renamed there later is gone, with the renamed files",
         {DeleteGenre("H"), RenameGenre("H", "H2")},
         "G*[X*(60,120) Y()]",
         {"", "行われませんでした"}},
        {"a title moved out of a genre deleted elsewhere stays, the genre gone",
         {DeleteGenre("G"), Move("G", "X", "H")},
         "H*[Z(30) X*(60,120)]",
         {kKept, kKept}},
        {"a move here and a rename there are both made",
         {Move("G", "X", "H"), Edit("G", "X", "X2")},
         "G[Y*()] H*[Z(30) X2*{/g/X}{/g/X}(60,120)]",
         {"", ""}},
        {"a play deleted here stays deleted when another is recorded there",
         {EditPlay("G", "X", 0, -1), Play("G", "X", "2024/06/01,10:00:00", 90)},
         "G*[X*(120,90) Y()] H[Z*(30)]",
         {"", ""}},
        {"a history cleared here keeps the play recorded there",
         {ClearHistory("G", "X"), Play("G", "X", "2024/06/01,10:00:00", 90)},
         "G*[X*(90) Y()] H[Z*(30)]",
         {"", ""}},
        {"a title deleted here while its program is changed there stays",
         {DeleteTitle("G", "X"), Edit("G", "X", "X", "/b/exe")},
         "G*[Y*() X{/b/exe}(60,120)] H[Z*(30)]",
         {kKept, kKept}},
        {"a title deleted while renamed elsewhere stays, renamed",
         {DeleteTitle("G", "X"), Edit("G", "X", "X3")},
         "G*[Y*() X3{/g/X}{/g/X}(60,120)] H[Z*(30)]",
         {kKept, kKept}},
        {"the same title added on both is one",
         {AddTitle("G", "T"), AddTitle("G", "T")},
         "G*[X(60,120) Y() T*()] H[Z*(30)]",
         {"", ""}},
        {"a rename onto a name added elsewhere keeps both",
         {Edit("G", "X", "W"), AddTitle("G", "W")},
         "G*[W{/g/X}{/g/X}(60,120) Y() W (2)*{/g/W}{/g/W}()] H[Z*(30)]",
         {"", "W (2)"}},
        {"three PCs each play and add a title",
         {Both(Play("G", "X", "2024/06/01,10:00:00", 10), AddTitle("G", "TA")),
          Both(Play("G", "X", "2024/06/02,10:00:00", 20), AddTitle("G", "TB")),
          Both(Play("G", "X", "2024/06/03,10:00:00", 30), AddTitle("G", "TC"))},
         "G*[X(60,120,10,20,30) Y() TA() TB() TC*()] H[Z*(30)]",
         {"", "", ""}},
        {"three PCs: a rename, a play and a move of one title",
         {Edit("G", "X", "X2"), Play("G", "X", "2024/06/01,10:00:00", 90), Move("G", "X", "H")},
         "G[Y*()] H*[Z(30) X2*{/g/X}{/g/X}(60,120,90)]",
         {"", "", ""}},
        {"three PCs: a genre deleted, a title added to it, a genre added",
         {DeleteGenre("H"), AddTitle("H", "T"), AddGenre("K")},
         "G[X*(60,120) Y()] H[T*()] K*[]",
         {kBack, kBack, ""}},
    };
    for (const Row& row : rows)
        RunRow(row);
}

TEST(JournalMerge, FilesChangedWithoutAJournalAreTakenInAsThisPcsChanges)
{
    const std::string copy = ".sync-conflict-20240601-100000-ABCDEFG";
    // Another PC's journal as it reaches every PC.
    const Change HostileJournal = Write(std::string(ILibraryJournal::kFolderName) + "/z-pc.log",
                                        "Zarn2 changes 1\n1\t1800000000000\tT+\t=G\t../evil\t/e\t/e\t1\t0\n"
                                        "2\t1800000000001\tG+\t..\t0\n"
                                        "3\t1800000000002\tT+\t=G\tOK\t/g/OK\t/g/OK\t1\t0\n");
    const std::vector<Row> rows{
        {"this PC's journal cut mid-line after a play is written back: the play stays",
         {Both(Play("G", "X", "2024/06/01,10:00:00", 90), EditJournal([](std::string& t) { t.resize(t.size() - 10); })),
          Nothing},
         "G*[X*(60,120,90) Y()] H[Z*(30)]",
         {"書き直しました", ""}},
        {"this PC's journal removed while it runs is written back",
         {Both([](Pc& pc) { fs::remove(pc.keeper.JournalPath()); }, Play("G", "X", "2024/06/01,10:00:00", 90)),
          Nothing},
         "G*[X*(60,120,90) Y()] H[Z*(30)]",
         {"書き直しました", ""}},
        {"a damaged header: the lines below it still count",
         {Both(EditJournal([](std::string& t) { t.replace(0, 5, std::string("\x01\xff\x00\x80Z", 5)); }),
               AddTitle("G", "T")),
          Nothing},
         "G*[X(60,120) Y() T*()] H[Z*(30)]",
         {"書き直しました", ""}},
        {"a line of this PC's journal turned to noise is written back and named",
         {Both(AddTitle("G", "T"), EditJournal([](std::string& t) {
                   size_t line = t.rfind('\n', t.find("\tT+\t")) + 1;
                   t.replace(line, 4, std::string("\xfe\x00\x01\x80", 4));
               })),
          Nothing},
         "G*[X(60,120) Y() T*()] H[Z*(30)]",
         {"書き直しました", "読めない行が 1 行"}},
        {"the Windows version adds a title and plays it",
         {Both(Write("G.Zarn", GenreText({"X", "Y", "W"})), Write("G/W.Log", "2024/06/01,10:00:00\r\n45\r\n")),
          Nothing},
         "G*[X*(60,120) Y() W(45)] H[Z*(30)]",
         {"", ""}},
        {"the Windows version deletes a title",
         {Both(Write("G.Zarn", GenreText({"X"})), [](Pc& pc) { fs::remove(pc.Data() + "/G/Y.Log"); }), Nothing},
         "G*[X*(60,120)] H[Z*(30)]",
         {"", ""}},
        {"the Windows version appends a play while the other PC plays too",
         {AppendInPlace("G/X.Log", "2024/06/01,10:00:00\r\n45\r\n"), Play("G", "X", "2024/06/02,10:00:00", 50)},
         "G*[X*(60,120,45,50) Y()] H[Z*(30)]",
         {"", ""}},
        {"a play deleted from a log by hand",
         {Write("G/X.Log", "2024/05/02,10:00:00\r\n120\r\n"), Nothing},
         "G*[X*(120) Y()] H[Z*(30)]",
         {"", ""}},
        {"the Windows version clears a history in place",
         {[](Pc& pc) { fs::resize_file(pc.Data() + "/G/X.Log", 0); }, Nothing},
         "G*[X*() Y()] H[Z*(30)]",
         {"", ""}},
        {"an edit by hand that kept the journal's line",
         {[](Pc& pc) {
              std::string text = Read(pc.Data() + "/G.Zarn");
              text.replace(text.find("/g/Y"), 4, "/h/Y");
              TempDir::WriteBytes(pc.Data() + "/G.Zarn", text);
          },
          Nothing},
         "G*[X*(60,120) Y{/h/Y}()] H[Z*(30)]",
         {"", ""}},
        {"a run stopped between a write and its journal line",
         {Stamped("G.Zarn", GenreText({"X", "Y", "R"}), {{"a-pc", 99}}), Nothing},
         "G*[X*(60,120) Y() R()] H[Z*(30)]",
         {"", ""}},
        {"a genre file shaped by a journal not arrived yet is left as it is",
         {Stamped("H.Zarn", GenreText({}), {{"z-pc", 5}}), Stamped("H.Zarn", GenreText({}), {{"z-pc", 5}})},
         "G*[X*(60,120) Y()] H[]",
         {"", ""}},
        {"an older log synced in deletes no play",
         {Nothing,
          Both(Play("G", "X", "2024/06/02,10:00:00", 50),
               Replace("G/X.Log", "2024/05/01,10:00:00\r\n60\r\n2024/05/02,10:00:00\r\n120\r\n"))},
         "G*[X*(60,120,50) Y()] H[Z*(30)]",
         {"", ""}},
        {"a launcher's conflict copy brings nothing back",
         {Both(CopyAs("G.Zarn", "G" + copy + ".Zarn"), DeleteTitle("G", "Y")), Nothing},
         "G*[X*(60,120)] H[Z*(30)]",
         {"", ""}},
        {"a foreign conflict copy is merged and taken in",
         {WriteSettled("G" + copy + ".Zarn", GenreText({"X", "Y", "V"})), Nothing},
         "G*[X*(60,120) Y() V()] H[Z*(30)]",
         {"", ""}},
        {"a newer version of a journal left as a conflict copy: its play counts, its owner writes it back",
         {Nothing, ConflictCopyOfAsJournal(true)},
         "G*[X*(60,120) Y()] H[Z*(30,90)]",
         {"書き直しました", ""}},
        {"an older version of a journal left as a conflict copy goes",
         {Nothing, Both(ConflictCopyOfAsJournal(false), Play("G", "Y", "2024/06/01,10:00:00", 90))},
         "G*[X*(60,120) Y(90)] H[Z*(30)]",
         {"", ""}},
        {"journal lines with names that are no safe paths are left out",
         {HostileJournal, HostileJournal},
         "G*[X*(60,120) Y() OK()] H[Z*(30)]",
         {"読めない行が 2 行", "読めない行が 2 行"}},
    };
    for (const Row& row : rows)
        RunRow(row);
}

TEST(JournalMerge, AJournalShrinksOnceEveryPcHasSeenWhatNoLongerMatters)
{
    Pc a("a-pc");
    Pc b("b-pc");
    ScriptedMessenger messages;
    Start({&a, &b});
    auto lines = [&a] {
        std::string text = Read(a.keeper.JournalPath());
        return std::count(text.begin(), text.end(), '\n');
    };
    for (int i = 0; i < 40; ++i) {
        a.Select("H", "Z");
        a.Select("G", "X");
        Edit("G", "X", "X", "/exe/" + std::to_string(i))(a);
    }
    a.keeper.Reconcile();
    const auto before = lines();
    // B has not seen them yet: nothing goes.
    EXPECT_EQ(lines(), before);
    for (int round = 0; round < 2; ++round) {
        ShareJournals({&a, &b});
        ReconcileAsTheWatch(a);
        ReconcileAsTheWatch(b);
    }
    EXPECT_LT(lines(), before - 100);
    EXPECT_EQ(Library(a), "G*[X*{/exe/39}(60,120) Y()] H[Z*(30)]");
    EXPECT_EQ(Files(a), Files(b));
    // A PC that gets the shortened journal alone works out the same library.
    Pc c("c-pc");
    fs::create_directories(c.Data() + "/" + ILibraryJournal::kFolderName);
    fs::copy_file(a.keeper.JournalPath(), c.Data() + "/" + ILibraryJournal::kFolderName + "/a-pc.log");
    fs::copy_file(b.keeper.JournalPath(), c.Data() + "/" + ILibraryJournal::kFolderName + "/b-pc.log");
    c.Doc();
    ReconcileAsTheWatch(c);
    EXPECT_EQ(Files(c), Files(a));
    EXPECT_TRUE(messages.messages.empty());
}

TEST(JournalMerge, LinesTheJournalCannotTakeWaitForTheNextWrite)
{
    Pc a("a-pc");
    Pc b("b-pc");
    ScriptedMessenger messages;
    Start({&a, &b});
    const std::string journal = a.keeper.JournalPath();
    fs::rename(journal, journal + ".away");
    fs::create_directory(journal);  // no file can be appended there
    Play("G", "X", "2024/06/01,10:00:00", 90)(a);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("書き込めるようになり次第"), std::string::npos) << messages.messages[0];
    a.keeper.Reconcile();  // still not: told once
    EXPECT_EQ(messages.messages.size(), 1u);
    fs::remove(journal);
    fs::rename(journal + ".away", journal);
    a.keeper.Reconcile();
    ShareJournals({&a, &b});
    ReconcileAsTheWatch(b);
    EXPECT_EQ(Library(b), "G*[X*(60,120,90) Y()] H[Z*(30)]");
}
