// One genre: its checks, its files and its title operations, on a temporary data folder.
#include "library/CGroup.h"
#include "platform/FileSystem.h"
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include <gtest/gtest.h>

namespace {

class CGroupTest : public ::testing::Test, public ProgramFolder {
protected:
    // A created genre "G" with the titles named.
    std::unique_ptr<CGroup> GroupWith(const std::vector<std::string>& names)
    {
        auto group = NewGroup();
        EXPECT_EQ(group->Create("G", 0), 0);
        for (const std::string& name : names)
            EXPECT_GE(group->AddMember(name, "/g/" + name, "", 1, 0), 0) << name;
        messenger.Clear();
        return group;
    }
    std::vector<std::string> Names(const CGroup& group) const
    {
        std::vector<std::string> names;
        for (int i = 0; i < group.m_nMemberCount; ++i)
            names.push_back(group.m_Member[static_cast<size_t>(i)].m_szName);
        return names;
    }
    std::string Log(const std::string& title) const { return Data("G/" + title + ".Log"); }
};

}  // namespace

TEST_F(CGroupTest, ChecksCountAndCurrentTitle)
{
    struct Case {
        int count;
        int curr;
        int result;
        const char* message;  // "" for none
    } cases[] = {
        {0, -1, 0, ""},
        {0, 0, -1, "ERROR-12 : 現在のメンバー数[ 0]が異常です. "},
        {3, -1, 3, ""},
        {3, 2, 3, ""},
        {3, 3, -1, "ERROR-12 : 現在のメンバー数[ 3]が異常です. "},
        {-1, -1, -1, "ERROR-11 : トータルメンバー数[-1]が異常です. "},
        // A full genre is sound; only a count beyond the capacity is not.
        {128, 127, 128, ""},
        {129, 0, -1, "Error-10 : メンバー数が上限[128] に達しています."},
    };
    auto group = NewGroup();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " current " << c.curr);
        group->m_nMemberCount = c.count;
        group->m_nCurrMember = c.curr;
        EXPECT_EQ(group->Check(), c.result);
        std::vector<std::string> expected;
        if (*c.message)
            expected.push_back(c.message);
        EXPECT_EQ(TakeMessages(), expected);
    }
}

TEST_F(CGroupTest, ChecksTitleIndexes)
{
    struct Case {
        int count;
        int curr;
        int n;
        int result;
        const char* message;
    } cases[] = {
        {3, 0, 2, 3, ""},
        {3, 0, 3, -1, "ERROR-22 : 現在のメンバー数[ 3]が異常です. "},
        {3, 0, 200, -1, "Error-20 : メンバー数が上限[128] に達しています."},
        {3, 0, -1, -1, "ERROR-21 : トータルメンバー数[-1]が異常です. "},
        {0, -1, 5, 0, ""},  // an empty genre passes whatever the index
        {128, 0, 127, 128, ""},
        {128, 0, 128, -1, "Error-20 : メンバー数が上限[128] に達しています."},
    };
    auto group = NewGroup();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " index " << c.n);
        group->m_nMemberCount = c.count;
        group->m_nCurrMember = c.curr;
        EXPECT_EQ(group->CheckMemberIndex(c.n), c.result);
        std::vector<std::string> expected;
        if (*c.message)
            expected.push_back(c.message);
        EXPECT_EQ(TakeMessages(), expected);
    }
}

TEST_F(CGroupTest, SavedGenreFileComesBackByteForByte)
{
    auto group = NewGroup();
    ASSERT_EQ(group->Create("アクション", 1), 0);
    EXPECT_TRUE(Exists(Data("アクション")));
    EXPECT_EQ(TempDir::ReadBytes(Data("アクション.Zarn")), "");
    ASSERT_EQ(group->AddMember("ドラゴン・クエスト", "/games/ドラゴン/dq.exe", "/games/dq.ico", 0, 1), 1);
    ASSERT_EQ(group->AddMember("B", "C:\\Games\\b.exe", "", 1, 0), 2);
    EXPECT_TRUE(Exists(Data("アクション/ドラゴン・クエスト.Log")));
    std::string written = TempDir::ReadBytes(Data("アクション.Zarn"));

    auto loaded = NewGroup();
    loaded->SetName("アクション");
    ASSERT_EQ(loaded->Load(), 2);
    EXPECT_EQ(loaded->m_nPlayMode, 1);
    EXPECT_EQ(loaded->m_nCurrMember, 1);
    EXPECT_EQ(loaded->m_Member[0].m_szExePath, "/games/ドラゴン/dq.exe");
    EXPECT_EQ(loaded->m_Member[0].m_szLogFile, Data("アクション/ドラゴン・クエスト.Log"));
    EXPECT_EQ(loaded->m_Member[0].m_nUseMedia, 1);
    std::remove(Data("アクション.Zarn").c_str());
    ASSERT_EQ(loaded->Save(), 2);
    EXPECT_EQ(TempDir::ReadBytes(Data("アクション.Zarn")), written);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CGroupTest, LoadsHandWrittenFiles)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
        int playMode;
        int curr;
        bool message;
    } cases[] = {
        {"no sections: the fresh slot's values", "", {}, 0, -1, false},
        {"LF only, current beyond the count", "[PlayMode]\n1\n[CurrMember]\n9\n[Title000]\nA\n\n\n1\n0\n", {"A"},
         1, 0, false},
        {"blocks in odd order load in file order",
         "[Title007]\nB\n\n\n1\n0\n\n[Title002]\nA\n\n\n1\n0\n\n[CurrMember]\n-1\n", {"B", "A"}, 0, -1, false},
        {"a block cut short still counts", "[Title000]\nA\n/a", {"A"}, 0, -1, false},
        {"unsafe and repeated names are left out",
         "[Title0]\n../x\n\n\n1\n0\n[Title1]\nA\n\n\n1\n0\n[Title2]\nA\n\n\n1\n0\n[Title3]\n", {"A"}, 0, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir::WriteBytes(Data("H.Zarn"), c.bytes);
        auto group = NewGroup();
        group->SetName("H");
        EXPECT_EQ(group->Load(), static_cast<int>(c.names.size()));
        EXPECT_EQ(Names(*group), c.names);
        EXPECT_EQ(group->m_nPlayMode, c.playMode);
        EXPECT_EQ(group->m_nCurrMember, c.curr);
        EXPECT_EQ(TakeMessages().size(), c.message ? 1u : 0u);
    }
}

TEST_F(CGroupTest, CutShortBlockKeepsDefaultsAndFlagsAreSavedAsZeroOrOne)
{
    TempDir::WriteBytes(Data("H.Zarn"), "[Title000]\nA\n/a\n\n2\n");
    auto group = NewGroup();
    group->SetName("H");
    ASSERT_EQ(group->Load(), 1);
    EXPECT_EQ(group->m_Member[0].m_nAutoTiming, 2);
    EXPECT_EQ(group->m_Member[0].m_nUseMedia, 0);
    ASSERT_EQ(group->Save(), 1);
    EXPECT_EQ(TempDir::ReadBytes(Data("H.Zarn")),
              "[PlayMode]\r\n0\r\n\r\n[CurrMember]\r\n-1\r\n\r\n[Title000]\r\nA\r\n/a\r\n\r\n0\r\n0\r\n\r\n");
}

TEST_F(CGroupTest, AFullGenreKeepsAll128TitlesAndRefusesMore)
{
    std::string file = "[CurrMember]\n127\n";
    for (int i = 0; i < 130; ++i)
        file += "[Title]\nT" + std::to_string(i) + "\n\n\n1\n0\n\n";
    TempDir::WriteBytes(Data("G.Zarn"), file);
    std::filesystem::create_directory(Data("G"));
    auto group = NewGroup();
    group->SetName("G");
    ASSERT_EQ(group->Load(), 128);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("上限[128]"), std::string::npos) << messages[0];
    EXPECT_EQ(group->Check(), 128);
    ASSERT_EQ(group->Save(), 128);

    auto again = NewGroup();
    again->SetName("G");
    ASSERT_EQ(again->Load(), 128);
    EXPECT_EQ(again->m_Member[127].m_szName, "T127");
    EXPECT_EQ(again->m_nCurrMember, 127);

    EXPECT_EQ(again->AddMember("more", "", "", 1, 0).reason, Refusal::Full);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Error-10 : メンバー数が上限[128] に達しています."});
    EXPECT_EQ(again->m_nMemberCount, 128);
    EXPECT_FALSE(Exists(Log("more")));
}

TEST_F(CGroupTest, AddingNeverEmptiesAnExistingLog)
{
    auto group = GroupWith({"A"});
    TempDir::WriteBytes(Log("a"), "another title's plays\r\n");  // as on a drive ignoring case
    EXPECT_EQ(group->AddMember("a", "", "", 1, 0).reason, Refusal::TakenOnDisk);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(StartsWith(messages[0], "メンバー名 [a] のログファイル")) << messages[0];
    EXPECT_EQ(TempDir::ReadBytes(Log("a")), "another title's plays\r\n");
    EXPECT_EQ(Names(*group), std::vector<std::string>{"A"});

    EXPECT_EQ(group->AddMember("A", "", "", 1, 0).reason, Refusal::Duplicate);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"メンバー名 [A] が重複しています."});
}

// A genre that came with a synced genre list has its file and no folder yet (or ever).
TEST_F(CGroupTest, AGenreWithoutItsFolderMakesItForItsFirstTitle)
{
    auto group = GroupWith({});
    ASSERT_EQ(FileSystem::RemoveFolder(Data("G")), 0);
    EXPECT_EQ(group->AddMember("A", "/g/a", "", 1, 0), 1);
    EXPECT_TRUE(TempDir::ReadBytes(Log("A")).empty() && FileSystem::EntryExists(Log("A")));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(CGroupTest, AddAndEditRefuseWhatCannotBeStored)
{
    auto group = GroupWith({"A"});
    struct Case {
        std::string name;
        std::string exe;
        Refusal reason;
    } cases[] = {
        {"x/y", "/g", Refusal::UnsafeName},
        {"..", "/g", Refusal::UnsafeName},
        {"a\nb", "/g", Refusal::UnsafeName},
        {std::string(245, 'n'), "/g", Refusal::TooLong},
        {"😀", "/g", Refusal::NotCp932},
        {"ok", "/g/\n", Refusal::UnsafeName},
        {"ok", std::string(258, 'p'), Refusal::TooLong},
        {"ok", "/g/😀", Refusal::NotCp932},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 20) + " | " + c.exe.substr(0, 20));
        EditResult added = group->AddMember(c.name, c.exe, "", 1, 0);
        EditResult edited = group->EditMember(c.name, c.exe, "", 1, 0);
        EXPECT_EQ(added.value, -1);
        EXPECT_EQ(edited.value, -1);
        EXPECT_EQ(added.reason, c.reason);
        EXPECT_EQ(edited.reason, c.reason);
        EXPECT_EQ(TakeMessages().size(), 2u);
    }
    EXPECT_EQ(Names(*group), std::vector<std::string>{"A"});
    EXPECT_EQ(group->m_Member[0].m_szExePath, "/g/A");
}

TEST_F(CGroupTest, EditMovesTheLogAndNeverOntoAnother)
{
    auto group = GroupWith({"A", "B"});
    TempDir::WriteBytes(Log("A"), "a-plays");
    TempDir::WriteBytes(Log("B"), "b-plays");
    group->m_nCurrMember = 1;
    EXPECT_EQ(group->EditMember("A", "/x", "", 1, 0).reason, Refusal::Duplicate);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"メンバー名 [A] が重複しています."});
    // B's log onto A's: refused, both files and the title unchanged.
    TempDir::WriteBytes(Log("C"), "c-orphan");
    EXPECT_EQ(group->EditMember("C", "/x", "", 1, 0).reason, Refusal::TakenOnDisk);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "ERROR[17] : ログファイルをリネーム出来ませんでした,"));
    EXPECT_EQ(TempDir::ReadBytes(Log("B")), "b-plays");
    EXPECT_EQ(TempDir::ReadBytes(Log("C")), "c-orphan");
    EXPECT_EQ(group->m_Member[1].m_szName, "B");

    ASSERT_EQ(group->EditMember("D", "/d", "/d.ico", 0, 1), 2);
    EXPECT_EQ(TempDir::ReadBytes(Log("D")), "b-plays");
    EXPECT_FALSE(Exists(Log("B")));
    EXPECT_EQ(group->m_Member[1].m_szLogFile, Log("D"));

    // Same name: only the settings change, even when the log is gone.
    std::remove(Log("D").c_str());
    EXPECT_EQ(group->EditMember("D", "/d2", "", 1, 0), 2);
    EXPECT_EQ(group->m_Member[1].m_szExePath, "/d2");
}

TEST_F(CGroupTest, DeletingKeepsTheCurrentTitleInRange)
{
    struct Case {
        int curr;
        int remove;
        std::vector<std::string> names;
        int newCurr;
    } cases[] = {
        {2, 2, {"A", "B"}, 1},        // the last, current: the new last becomes current
        {0, 1, {"A", "C"}, 0},
        {2, 0, {"B", "C"}, 1},
        {-1, 1, {"A", "C"}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "current " << c.curr << " delete " << c.remove);
        std::filesystem::remove_all(Data("G"));
        std::filesystem::remove(Data("G.Zarn"));
        auto group = GroupWith({"A", "B", "C"});
        group->m_nCurrMember = c.curr;
        std::string removedLog = group->m_Member[static_cast<size_t>(c.remove)].m_szLogFile;
        EXPECT_EQ(group->DeleteMember(c.remove), 2);
        EXPECT_EQ(Names(*group), c.names);
        EXPECT_EQ(group->m_nCurrMember, c.newCurr);
        EXPECT_FALSE(Exists(removedLog));
    }
    auto only = NewGroup();
    only->SetName("G");
    ASSERT_EQ(only->Load(), 2);
    EXPECT_EQ(only->DeleteMember(0), 1);
    EXPECT_EQ(only->DeleteMember(0), 0);
    EXPECT_EQ(only->m_nCurrMember, -1);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CGroupTest, DeleteWithTheLogAlreadyGoneStillRemovesTheTitle)
{
    auto group = GroupWith({"A", "B"});
    std::remove(Log("A").c_str());
    EXPECT_EQ(group->DeleteMember(0), 1);
    EXPECT_EQ(Names(*group), std::vector<std::string>{"B"});
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CGroupTest, DeleteThatCannotRemoveTheLogKeepsTheTitle)
{
    auto group = GroupWith({"A", "B"});
    std::remove(Log("B").c_str());
    std::filesystem::create_directories(Log("B") + "/inside");  // unlink fails on it
    EXPECT_EQ(group->DeleteMember(1), -1);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(StartsWith(messages[0], "ERROR[21] : ログファイル<" + Log("B") + ">を削除出来ませんでした,\n."));
    EXPECT_EQ(Names(*group), (std::vector<std::string>{"A", "B"}));

    // Deleting all stops at it too; the titles whose logs are gone leave the genre file.
    EXPECT_EQ(group->DeleteAllMembers(), -1);
    EXPECT_FALSE(Exists(Log("A")));
    EXPECT_EQ(Names(*group), std::vector<std::string>{"B"});
    auto again = NewGroup();
    again->SetName("G");
    ASSERT_EQ(again->Load(), 1);
    std::filesystem::remove_all(Log("B"));
    EXPECT_EQ(group->DeleteAllMembers(), 0);
    EXPECT_EQ(group->m_nCurrMember, -1);
}

TEST_F(CGroupTest, CreateFailuresLeaveNothingBehind)
{
    std::filesystem::create_directory(Data("Taken"));
    auto group = NewGroup();
    EXPECT_EQ(group->Create("Taken", 0).reason, Refusal::TakenOnDisk);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "エラー番号[17]: グループディレクトリ " + Data("Taken") + " が作成出来ません."));

    TempDir::WriteBytes(Data("Left.Zarn"), "[PlayMode]\r\n1\r\n");
    EXPECT_EQ(group->Create("Left", 0).reason, Refusal::TakenOnDisk);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "エラー番号[17]: グループファイル " + Data("Left.Zarn")));
    EXPECT_FALSE(Exists(Data("Left")));
    EXPECT_EQ(TempDir::ReadBytes(Data("Left.Zarn")), "[PlayMode]\r\n1\r\n");
    EXPECT_EQ(group->m_szName, "");

    EXPECT_EQ(group->Create("a/b", 0).reason, Refusal::UnsafeName);
    EXPECT_EQ(TakeMessages().size(), 1u);

    // A folder that cannot be removed again is told, with where it stays.
    RecordingFileSyscalls calls;
    calls.refuse = [](const std::string& call, const std::string&) { return call == "rmdir" ? EBUSY : 0; };
    EXPECT_EQ(group->Create("Left", 0).reason, Refusal::TakenOnDisk);
    std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].find(Data("Left")), std::string::npos) << shown[1];
}

TEST_F(CGroupTest, RenameMovesFolderAndFileOrPutsThemBack)
{
    auto group = GroupWith({"A"});
    TempDir::WriteBytes(Log("A"), "plays");

    TempDir::WriteBytes(Data("New.Zarn"), "someone else's");
    EXPECT_EQ(group->Rename("New", 1).reason, Refusal::TakenOnDisk);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(StartsWith(messages[0], "エラー番号[17]: グループファイル名 " + Data("G.Zarn") + " が変更出来ません."));
    EXPECT_TRUE(Exists(Data("G/A.Log"))) << "the folder is moved back";
    EXPECT_FALSE(Exists(Data("New")));
    EXPECT_EQ(TempDir::ReadBytes(Data("New.Zarn")), "someone else's");
    EXPECT_EQ(group->m_szName, "G");
    EXPECT_EQ(group->m_nPlayMode, 0);

    std::filesystem::create_directory(Data("Busy"));
    EXPECT_EQ(group->Rename("Busy", 1).reason, Refusal::TakenOnDisk);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "エラー番号[17]: グループディレクトリ名 " + Data("G")));

    EXPECT_EQ(group->Rename("G", 1), 1) << "the same name changes the play mode only";
    EXPECT_EQ(group->m_nPlayMode, 1);

    ASSERT_EQ(group->Rename("シューティング", 0), 1);
    EXPECT_EQ(TempDir::ReadBytes(Data("シューティング/A.Log")), "plays");
    EXPECT_TRUE(Exists(Data("シューティング.Zarn")));
    EXPECT_FALSE(Exists(Data("G.Zarn")));
    EXPECT_EQ(group->m_Member[0].m_szLogFile, Data("シューティング/A.Log"));
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CGroupTest, AnUnreadableGenreFileIsNeverWrittenOver)
{
    std::filesystem::create_directories(Data("U.Zarn/x"));  // exists, cannot be read as a file
    auto group = NewGroup();
    group->SetName("U");
    EXPECT_EQ(group->Load(), -1);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "ERROR[21] : U.Zarn ファイルをオープン出来ませんでした."));
    EXPECT_EQ(group->Save(), -1);
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(Data("U.Zarn")));

    auto missing = NewGroup();
    missing->SetName("M");
    EXPECT_EQ(missing->Load(), -1);
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "ERROR[2] : M.Zarn ファイルをオープン出来ませんでした."));
    EXPECT_EQ(missing->Save(), 0) << "a missing file is written anew";
}

TEST_F(CGroupTest, SwapMovesWholeTitlesWithTheirHistories)
{
    auto group = GroupWith({"A", "B", "C"});
    group->m_nCurrMember = 0;
    group->m_Member[0].m_nSessionCount = 5;
    group->SwapMembers(0, 2);
    EXPECT_EQ(Names(*group), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(group->m_Member[2].m_szLogFile, Log("A"));
    EXPECT_EQ(group->m_Member[0].m_nSessionCount, 0);
    EXPECT_EQ(group->m_Member[2].m_nSessionCount, 5);
    group->SwapMembers(1, 1);
    group->SwapMembers(0, 3);  // not a title: nothing happens
    EXPECT_EQ(Names(*group), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(CGroupTest, NamesTheWindowsVersionCannotStoreLoadAndStayUsable)
{
    // Such names may come from files written before they were refused.
    std::filesystem::create_directory(Data("G:1"));
    TempDir::WriteBytes(Data("G:1.Zarn"), "[Title000]\r\nA?\r\n/g/a\r\n\r\n1\r\n0\r\n\r\n");
    auto group = NewGroup();
    group->SetName("G:1");
    ASSERT_EQ(group->Load(), 1);
    group->m_nCurrMember = 0;
    EXPECT_EQ(group->EditMember("A?", "/g/a2", "", 1, 0), 1) << "a kept name is not refused again";
    EXPECT_EQ(group->EditMember("B?", "/g/a2", "", 1, 0).reason, Refusal::WindowsName);
    EXPECT_EQ(group->AddMember("C|", "/g/c", "", 1, 0).reason, Refusal::WindowsName);
    EXPECT_EQ(group->Rename("G:1", 1), 1) << "the play mode of such a genre still changes";
    EXPECT_EQ(group->Rename("G:2", 1).reason, Refusal::WindowsName);
    EXPECT_EQ(group->Rename("G1", 1), 1);
    EXPECT_EQ(TakeMessages().size(), 3u);
    EXPECT_EQ(Names(*group), std::vector<std::string>{"A?"});
}
