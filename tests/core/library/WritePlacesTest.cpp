// Places this user may not write (a read-only file or folder, another user's library): every
// change that would write there is refused before its first step, with one message that
// names the place, and nothing on the disk or in the library changes. Root writes anywhere,
// so these run only as a normal user (test.sh runs the core tests again as one).
#include "../history/HistoryTestUtil.h"
#include "history/PlayLogEdit.h"
#include "history/PlayLogRewrite.h"
#include "support/HostileFiles.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every entry under the folder with what it holds.
std::map<std::string, std::string> Snapshot(const std::string& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries[entry.path().string()] = Fingerprint(entry.path().string());
    return entries;
}

// The library as the document holds it: each genre with its titles.
std::vector<std::string> Titles(const CZarn2Doc& library)
{
    std::vector<std::string> titles;
    for (int g = 0; g < library.m_nGroupCount; ++g) {
        const CGroup& group = library.m_Group[static_cast<size_t>(g)];
        titles.push_back(group.m_szName + ":");
        for (int m = 0; m < group.m_nMemberCount; ++m)
            titles.back() += " " + group.m_Member[static_cast<size_t>(m)].m_szName;
    }
    return titles;
}

void ReadOnly(const std::string& path)
{
    ::chmod(path.c_str(), fs::is_directory(path) ? 0555 : 0444);
}

// A play of ten minutes.
const CPlayTime kPlay = MakeSession(2020, 1, 2, 3, 4, 5, 600);

int EditLog(ProgramFolder& folder)
{
    std::vector<RawPlayLog::Record> records;
    if (!PlayLogRewrite::Load(folder.LogPath("G", "G-0"), records))
        return -1;
    PlayLogEdit edit(records);
    edit.Add(kPlay);
    return PlayLogRewrite::Save(folder.LogPath("G", "G-0"), edit) ? 0 : -1;
}

}  // namespace

TEST(WritePlaces, AChangeThatWouldWriteWhereItMayNotIsRefusedWithItsPlaceNamedAndNothingChanges)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere; test.sh runs this again as a normal user";
    using Change = std::function<int(ProgramFolder&, CZarn2Doc&)>;
    // Each gives a negative result when refused (a play appended gives the count of plays).
    const Change record = [](ProgramFolder&, CZarn2Doc& l) { return l.RecordSession(kPlay) > 0 ? 0 : -1; };
    const Change editLog = [](ProgramFolder& f, CZarn2Doc&) { return EditLog(f); };
    const Change addTitle = [](ProgramFolder&, CZarn2Doc& l) {
        return l.AddMember("New", "/usr/bin/true", "/usr/bin/true", 1, 0).value;
    };
    const Change renameTitle = [](ProgramFolder&, CZarn2Doc& l) {
        return l.EditMember("Renamed", "/usr/bin/true", "/usr/bin/true", 1, 0).value;
    };
    const Change moveTitle = [](ProgramFolder&, CZarn2Doc& l) { return l.MoveMember(1); };
    const Change deleteTitle = [](ProgramFolder&, CZarn2Doc& l) { return l.CurrGroup()->DeleteMember(0); };
    const Change addGenre = [](ProgramFolder&, CZarn2Doc& l) { return l.AddGroup("New", 0).value; };
    const Change renameGenre = [](ProgramFolder&, CZarn2Doc& l) { return l.RenameGroup("Renamed", 0).value; };
    const Change deleteGenre = [](ProgramFolder&, CZarn2Doc& l) { return l.DeleteGroup(0); };

    // The place made read-only, relative to the program folder ("" is the folder itself,
    // "*" everything in it), and what is tried there.
    struct Case {
        const char* place;
        const char* change;
        const Change& run;
    } cases[] = {
        {"Zarn/G/G-0.Log", "record a play", record},
        {"Zarn/G/G-0.Log", "edit its plays", editLog},
        {"Zarn/G.Zarn", "add a title", addTitle},
        {"Zarn/G.Zarn", "rename a title", renameTitle},
        {"Zarn/H.Zarn", "move a title there", moveTitle},
        {"Zarn/G", "add a title", addTitle},
        {"Zarn/G", "move a title away", moveTitle},
        {"Zarn/G", "delete a title", deleteTitle},
        {"Zarn/G", "edit a log's plays", editLog},
        {"Zarn", "add a genre", addGenre},
        {"Zarn", "add a title", addTitle},
        {"Zarn", "delete a genre", deleteGenre},
        {"Zarn2.Grp", "rename a genre", renameGenre},
        {"Zarn2.Grp", "delete a genre", deleteGenre},
        {"", "add a genre", addGenre},
        {"", "rename a genre", renameGenre},
        {"Temp", "rename a title", renameTitle},
        {"*", "move a title", moveTitle},
        {"*", "delete a genre", deleteGenre},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("read-only <") + c.place + ">: " + c.change);
        ProgramFolder folder;
        folder.Build([](CZarn2Doc& library) {
            ProgramFolder::AddGenre(library, "G", 1);
            ProgramFolder::AddGenre(library, "H", 1);
        });
        folder.WriteLog("G", "G-0", {{"2019/01/01,10:00:00", 60}});
        CZarn2Doc& library = folder.LoadDoc();
        library.SetCurrGroup(0);
        library.SetCurrMember(0);
        const std::string root = folder.dir.Path();
        std::string place = root + (*c.place ? "/" + std::string(c.place) : "");
        if (std::string(c.place) == "*") {
            place = root;
            for (const auto& entry : fs::recursive_directory_iterator(root))
                ReadOnly(entry.path());
        }
        ReadOnly(place);
        const auto files = Snapshot(root);
        const auto titles = Titles(library);

        EXPECT_LT(c.run(folder, library), 0);
        std::vector<std::string> messages = folder.TakeMessages();
        EXPECT_EQ(messages.size(), 1u);
        for (const std::string& message : messages) {
            EXPECT_NE(message.find("[13]"), std::string::npos) << message;
            EXPECT_NE(message.find(place), std::string::npos) << message;
        }
        EXPECT_EQ(Snapshot(root), files);
        EXPECT_EQ(Titles(library), titles);
    }
}
