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
// entry of the program folder, and the messages of that start.
std::string Describe(ProgramFolder& folder)
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
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.dir.Path()))
        entries.push_back(fs::relative(entry.path(), folder.dir.Path()).string());
    std::sort(entries.begin(), entries.end());
    for (const std::string& entry : entries)
        out << entry << "\n";
    for (const std::string& message : folder.TakeMessages())
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
// leaves it, and nothing else (no temporary file, no record, no stray log, no message).
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
            std::string found = Describe(killed);
            EXPECT_TRUE(found == unchanged || found == changed) << found << "\nbefore:\n"
                                                                << unchanged << "\nafter:\n"
                                                                << changed;
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
        {"Zarn/S/a.Log~a8Xk2Q", true},     // a log whose plays were edited
        {"Zarn/S/a.txt~a8Xk2Q", false},
        {"Temp/play.journal.aside~a8Xk2Q", false},
    };
    ProgramFolder folder;
    BuildLibrary(folder);
    for (const Case& c : cases)
        TempDir::WriteBytes(folder.dir / c.path, "left");
    fs::create_directory(folder.dir / "Zarn/T.Zarn~folder");
    folder.LoadDoc();
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(folder.dir / c.path), !c.removed) << c.path;
    EXPECT_TRUE(fs::is_directory(folder.dir / "Zarn/T.Zarn~folder"));
    EXPECT_TRUE(folder.TakeMessages().empty());
}

// A record that is not one of ours is reported and removed; the library loads as it is.
TEST(InterruptedChange, ARecordThatCannotBeUnderstoodIsToldAndRemoved)
{
    ProgramFolder folder;
    BuildLibrary(folder);
    const std::string unchanged = Describe(folder);
    const std::string record = folder.app.m_szTempDir + "/" + PendingChange::kFileName;
    for (const char* text : {"", "[Zarn2.Intent]\r\nMoveMember\r\nS\r\n", "[Zarn2.Intent]\r\nFormat\r\nS\r\n"}) {
        SCOPED_TRACE(text);
        TempDir::WriteBytes(record, text);
        std::string found = Describe(folder);
        EXPECT_NE(found, unchanged) << "a message is shown";
        EXPECT_EQ(Describe(folder), unchanged);
    }
}
