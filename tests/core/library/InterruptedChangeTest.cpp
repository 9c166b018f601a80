// Changes of several steps that stop in the middle, killed or after a failure that cannot
// be undone, and what the next start makes of them.
#include "library/PendingChange.h"
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int kKilled = 86;

// Genres S (titles a, b, c), D (x) and E (none); every title's log holds its own plays.
void BuildLibrary(ProgramFolder& folder)
{
    folder.Build([](CZarn2Doc& doc) {
        ProgramFolder::AddGenre(doc, "S", 0);
        for (const char* title : {"a", "b", "c"})
            doc.AddMember(title, std::string("/g/") + title, "", 1, 0);
        ProgramFolder::AddGenre(doc, "D", 0);
        doc.AddMember("x", "/g/x", "", 1, 0);
        ProgramFolder::AddGenre(doc, "E", 0);
    });
    for (auto [genre, title] : {std::pair{"S", "a"}, {"S", "b"}, {"S", "c"}, {"D", "x"}})
        folder.WriteLog(genre, title, {{"2024/01/02,10:00:00", title[0]}});
    folder.messenger.Clear();
}

// A library built once, copied into another program folder (building syncs every file).
void CopyLibrary(const ProgramFolder& built, ProgramFolder& to)
{
    fs::copy(built.dir.Path(), to.dir.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

// The library as a start shows it (each title with its fields and its log's bytes), every
// entry of the program folder but change records, and the messages of that start (into
// `told` when given).
std::string Describe(ProgramFolder& folder, std::vector<std::string>* told = nullptr)
{
    CZarn2Doc& doc = folder.LoadDoc();
    std::ostringstream out;
    for (int g = 0; g < doc.m_nGroupCount; ++g) {
        const CGroup& group = doc.m_Group[static_cast<size_t>(g)];
        out << group.m_szName << " (mode " << group.m_nPlayMode << "):";
        for (int t = 0; t < group.m_nMemberCount; ++t) {
            const CMember& title = group.m_Member[static_cast<size_t>(t)];
            out << " " << title.m_szName << "[" << title.m_szExePath << "," << title.m_nAutoTiming
                << title.m_nUseMedia << "]="
                << (fs::is_regular_file(title.m_szLogFile) ? TempDir::ReadBytes(title.m_szLogFile) : "no log");
        }
        out << "\n";
    }
    std::vector<std::string> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.dir.Path())) {
        std::string name = entry.path().lexically_relative(folder.dir.Path()).string();
        if (!name.starts_with(std::string("Temp/") + PendingChange::kFileName + "."))
            entries.push_back(name);
    }
    std::sort(entries.begin(), entries.end());
    for (const std::string& entry : entries)
        out << entry << "\n";
    std::vector<std::string> messages = folder.TakeMessages();
    if (told)
        *told = messages;
    for (const std::string& message : told ? std::vector<std::string>() : messages)
        out << "message: " << message << "\n";
    folder.doc.reset();
    return out.str();
}

struct Change {
    const char* what;
    std::function<int(CZarn2Doc&)> run;
};

const Change kChanges[] = {
    {"move a title to another genre", [](CZarn2Doc& d) { return d.SetCurrMember(1) < 0 ? -1 : d.MoveMember(1); }},
    {"rename a genre", [](CZarn2Doc& d) { return int(d.RenameGroup("Renamed", 1)); }},
    {"delete a genre", [](CZarn2Doc& d) { return d.DeleteGroup(0); }},
    {"rename a title",
     [](CZarn2Doc& d) { return d.SetCurrMember(1) < 0 ? -1 : int(d.EditMember("renamed", "/g/r", "", 0, 1)); }},
    {"delete a title", [](CZarn2Doc& d) { return d.CurrGroup()->DeleteMember(1); }},
    {"delete all titles", [](CZarn2Doc& d) { return d.CurrGroup()->DeleteAllMembers(); }},
    {"import titles into a genre",
     [](CZarn2Doc& d) {
         return int(d.ImportMembers("S", false, 0,
                                    {{"steam game", "steam://rungameid/10", "steam://rungameid/10"},
                                     {"menu game", "/usr/share/applications/g.desktop", "/usr/share/applications/g.desktop"}}));
     }},
    {"import titles into a new genre",
     [](CZarn2Doc& d) {
         return int(d.ImportMembers("New", true, 1, {{"one", "lutris:rungameid/1", ""}, {"two", "lutris:rungameid/2", ""}}));
     }},
};

// Loads the library with S current, as the change starts from.
CZarn2Doc& Open(ProgramFolder& folder)
{
    CZarn2Doc& doc = folder.LoadDoc();
    doc.SetCurrGroup(0);
    return doc;
}

}  // namespace

// The change is stopped after each of its file system steps in turn, in a child process;
// the next start then shows the library as it was before the change or as the change
// leaves it, and nothing else (no temporary file, no record, no stray log, no message but
// the one that says a change was not made, when it stopped before its first step).
TEST(InterruptedChange, AKillAfterAnyStepLeavesTheLibraryBeforeOrAfterTheChange)
{
    ProgramFolder built;
    BuildLibrary(built);
    for (const Change& change : kChanges) {
        ProgramFolder before;
        CopyLibrary(built, before);
        const std::string unchanged = Describe(before);

        ProgramFolder after;
        CopyLibrary(built, after);
        size_t steps = 0;
        {
            CZarn2Doc& doc = Open(after);
            RecordingFileSyscalls calls;
            ASSERT_GE(change.run(doc), 0) << change.what;
            steps = calls.calls.size();
            // The record's removal reaches the disk, or a power cut would bring it back.
            ASSERT_GE(steps, 2u);
            EXPECT_EQ(calls.calls[steps - 2] + " " + calls.paths[steps - 2],
                      "unlink " + after.app.m_szTempDir + "/" + PendingChange::kFileName);
            EXPECT_EQ(calls.calls.back() + " " + calls.paths.back(), "syncfolder " + after.app.m_szTempDir);
        }
        after.doc.reset();
        const std::string changed = Describe(after);
        ASSERT_NE(changed, unchanged) << change.what;

        for (size_t step = 1; step <= steps; ++step) {
            SCOPED_TRACE(testing::Message() << change.what << ", killed after step " << step << " of " << steps);
            ProgramFolder killed;
            CopyLibrary(built, killed);
            EXPECT_EXIT(
                {
                    CZarn2Doc& doc = Open(killed);
                    RecordingFileSyscalls calls;
                    calls.made = [&](const std::string&) {
                        if (calls.calls.size() == step)
                            std::_Exit(kKilled);
                    };
                    change.run(doc);
                    std::_Exit(0);
                },
                testing::ExitedWithCode(kKilled), "");
            std::vector<std::string> told;
            std::string found = Describe(killed, &told);
            EXPECT_TRUE(found == unchanged || found == changed) << found << "\nbefore:\n"
                                                                << unchanged << "\nafter:\n"
                                                                << changed;
            EXPECT_LE(told.size(), found == unchanged ? 1u : 0u);
            for (const std::string& message : told)
                EXPECT_NE(message.find("まだ行われていませんでした"), std::string::npos) << message;
        }
    }
}

// A step fails after one that cannot be undone, or the undoing fails too: the message
// names what was left where, the change reports failure, and the next start finishes it.
TEST(InterruptedChange, AFailedUndoIsToldAndTheNextStartFinishesTheChange)
{
    ProgramFolder built;
    BuildLibrary(built);
    struct Case {
        const char* what;
        int change;  // index into kChanges
        std::vector<std::pair<std::string, std::string>> refused;  // call, end of the path
        std::string left;  // what the message names
    } cases[] = {
        {"move: the destination's file and the log's way back",
         0,
         {{"rename", "/D.Zarn"}, {"rename-noreplace", "/S/b.Log"}},
         "/D/b.Log"},
        {"title rename: the genre file and the log's way back",
         3,
         {{"rename", "/S.Zarn"}, {"rename-noreplace", "/S/b.Log"}},
         "/S/renamed.Log"},
        {"move: the source's file", 0, {{"rename", "/S.Zarn"}}, "S.Zarn"},
        {"title deletion: the genre file", 4, {{"rename", "/S.Zarn"}}, "S.Zarn"},
        {"genre rename: the genre file and the folder's way back",
         1,
         {{"rename-noreplace", "/Renamed.Zarn"}, {"rename-noreplace", "/Zarn/S"}},
         "/Zarn/Renamed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Change& change = kChanges[c.change];
        ProgramFolder after;
        CopyLibrary(built, after);
        ASSERT_GE(change.run(Open(after)), 0);
        after.doc.reset();
        const std::string changed = Describe(after);

        ProgramFolder folder;
        CopyLibrary(built, folder);
        {
            CZarn2Doc& doc = Open(folder);
            RecordingFileSyscalls calls;
            calls.refuse = [&](const std::string& call, const std::string& path) {
                for (const auto& [name, end] : c.refused) {
                    if (call == name && path.ends_with(end))
                        return EACCES;
                }
                return 0;
            };
            EXPECT_LT(change.run(doc), 0);
        }
        std::vector<std::string> shown = folder.TakeMessages();
        ASSERT_FALSE(shown.empty());
        EXPECT_NE(shown.back().find(c.left), std::string::npos) << shown.back();
        EXPECT_TRUE(fs::exists(folder.app.m_szTempDir + "/" + PendingChange::kFileName));
        folder.doc.reset();

        EXPECT_EQ(Describe(folder), changed);
    }
}

// At start the temporary files of rewrites are removed where the library writes them, and
// nothing else is.
TEST(InterruptedChange, TheStartRemovesOurLeftoverTemporariesOnly)
{
    struct Case {
        std::string path;  // under the program folder
        bool removed;
    } cases[] = {
        {"Zarn2.Grp~a8Xk2Q", true},
        {"Zarn2.ini~000000", true},
        {"Zarn/S.Zarn~AbCdEf", true},
        {"Zarn/Other Genre.Zarn~zzzzzz", true},
        {"Temp/Zarn2.Intent~Q1w2E3", true},
        {"Temp/play.journal~a8Xk2Q", true},
        {"Zarn2.Grp~a8Xk2", false},        // five characters
        {"Zarn2.Grp~a8Xk2Q7", false},      // seven
        {"Zarn2.Grp~a8Xk-Q", false},       // not a letter or digit
        {"notes.txt~a8Xk2Q", false},       // not a file of ours
        {"Zarn/S.Log~a8Xk2Q", false},      // nothing rewrites such a file there
        {"Zarn/S/a.Log~a8Xk2Q", true},     // a log whose plays were edited or merged
        {"Zarn/S/a.txt~a8Xk2Q", false},
        {"Temp/Zarn2.KeptCopies~a8Xk2Q", true},
        {"Temp/play.journal.aside~a8Xk2Q", false},
        {"Temp/Zarn2.Told~a8Xk2Q", true},
        {"Temp/Zarn2.JournalId~a8Xk2Q", true},
        {"Zarn/.changes/0123abcd.log~a8Xk2Q", true},  // a change journal shortened
        {"Zarn/.changes/notes.txt~a8Xk2Q", false},
    };
    ProgramFolder folder;
    BuildLibrary(folder);
    fs::create_directory(folder.dir / "Zarn/.changes");
    for (const Case& c : cases)
        TempDir::WriteBytes(folder.dir / c.path, "left");
    fs::create_directory(folder.dir / "Zarn/T.Zarn~folder");
    folder.LoadDoc();
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(folder.dir / c.path), !c.removed) << c.path;
    EXPECT_TRUE(fs::is_directory(folder.dir / "Zarn/T.Zarn~folder"));
    EXPECT_TRUE(folder.TakeMessages().empty());
}

// A record is never obeyed on its word: one that is not ours, or names what the dialogs
// refuse, is put aside; one whose change shows no step made on disk is dropped; one the
// files fit neither way is put aside. Each is told once, and the library stays as it was.
TEST(InterruptedChange, HostileOrStaleRecordsAreNeverObeyed)
{
    ProgramFolder built;
    BuildLibrary(built);
    auto lines = [](std::vector<std::string> items) {
        std::string text = "[Zarn2.Intent]\r\n";
        for (const std::string& item : items)
            text += ProgramFolder::Sjis(item) + "\r\n";
        return text;
    };
    enum Outcome { NotMade, PutAside };
    TempDir outside;
    struct Case {
        const char* what;
        std::string record;
        Outcome outcome;
        std::function<void(ProgramFolder&)> prepare = nullptr;  // the disk as the record finds it
        // What is put at the record's name instead of `record`.
        std::function<void(const std::string& path, const std::string& record)> put = nullptr;
    } cases[] = {
        {"empty", "", PutAside},
        {"too few lines", lines({"MoveMember", "S"}), PutAside},
        {"an unknown kind", lines({"Format", "S"}), PutAside},
        {"a line more than the kind has", lines({"MoveMember", "S", "D", "a", "x"}), PutAside},
        {"a genre renamed out of the data folder", lines({"RenameGroup", "S", "../../outside/stolen-genre", "0"}),
         PutAside},
        {"a title renamed out of its genre's folder", lines({"RenameMember", "S", "a", "../../x", "/g/a", "", "1", "0"}),
         PutAside},
        {"a play mode that is no flag", lines({"RenameGroup", "S", "T", "7"}), PutAside},
        {"a title repointed at another program, no step made",
         lines({"RenameMember", "S", "a", "a2", "/tmp/other", "", "1", "0"}), NotMade},
        {"a genre deletion, no step made", lines({"DeleteGroup", "S"}), NotMade},
        {"a title deletion, no step made", lines({"DeleteMember", "S", "a"}), NotMade},
        {"a deletion of all titles, no step made", lines({"DeleteAllMembers", "S"}), NotMade},
        {"an import, no step made", lines({"AddMembers", "S", "0", "0", "n", "steam://rungameid/1", ""}), NotMade},
        {"an import into a new genre, no step made", lines({"AddMembers", "N", "1", "0", "n", "/g/n", ""}), NotMade},
        {"an import naming a title twice",
         lines({"AddMembers", "S", "0", "0", "n", "/g/n", "", "n", "/g/m", ""}), PutAside},
        {"an import of a title out of its genre's folder", lines({"AddMembers", "S", "0", "0", "../../n", "/g/n", ""}),
         PutAside},
        {"an import whose last title lacks its icon line", lines({"AddMembers", "S", "0", "0", "n", "/g/n"}), PutAside},
        {"an import whose logs are made out of order", lines({"AddMembers", "S", "0", "0", "n", "/g/n", "", "a", "/g/a", ""}),
         PutAside},
        {"a move of a title no genre lists", lines({"MoveMember", "S", "D", "gone"}), PutAside},
        {"a deletion of all titles whose logs are missing out of order", lines({"DeleteAllMembers", "S"}), PutAside,
         [](ProgramFolder& f) { fs::remove(f.LogPath("S", "b")); }},
        {"a genre renamed onto a listed genre whose files are gone", lines({"RenameGroup", "S", "E", "0"}), PutAside,
         [](ProgramFolder& f) {
             fs::remove(f.Data("E.Zarn"));
             fs::remove(f.Data("E"));
             fs::rename(f.Data("S"), f.Data("E"));
         }},
        {"a symbolic link", lines({"DeleteMember", "S", "a"}), PutAside, nullptr,
         [&outside](const std::string& path, const std::string& record) {
             TempDir::WriteBytes(outside / "record", record);
             fs::create_symlink(outside / "record", path);
         }},
        {"a folder", "", PutAside, nullptr,
         [](const std::string& path, const std::string&) { fs::create_directory(path); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder plain;
        CopyLibrary(built, plain);
        if (c.prepare)
            c.prepare(plain);
        std::vector<std::string> plainTold;
        const std::string expected = Describe(plain, &plainTold);

        ProgramFolder folder;
        CopyLibrary(built, folder);
        if (c.prepare)
            c.prepare(folder);
        const std::string record = folder.app.m_szTempDir + "/" + PendingChange::kFileName;
        if (c.put)
            c.put(record, c.record);
        else
            TempDir::WriteBytes(record, c.record);
        std::vector<std::string> told;
        EXPECT_EQ(Describe(folder, &told), expected);
        ASSERT_EQ(told.size(), plainTold.size() + 1) << "the record is told once";
        EXPECT_NE(told[0].find(c.outcome == NotMade ? "まだ行われていませんでした" : ".rejected>に移しました"),
                  std::string::npos)
            << told[0];
        EXPECT_EQ(told[0].find("入力して下さい"), std::string::npos) << "nobody typed it: " << told[0];
        EXPECT_FALSE(fs::exists(fs::symlink_status(record)));
        const std::string aside = record + "." + PendingChange::kAsideTag;
        EXPECT_EQ(fs::exists(fs::symlink_status(aside)), c.outcome == PutAside);
        if (fs::is_symlink(aside)) {
            EXPECT_EQ(TempDir::ReadBytes(outside / "record"), c.record) << "never followed";
        }

        Describe(folder, &told);
        EXPECT_EQ(told.size(), plainTold.size()) << "and not at the next start";
    }
}
