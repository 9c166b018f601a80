// The library as a whole: its checks and accessors, the genre list file, and the genre
// operations on a temporary program folder.
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include <gtest/gtest.h>

namespace {

class CZarn2DocTest : public ::testing::Test, public ProgramFolder {
protected:
    // A library with the genres named, each with the titles named.
    CZarn2Doc& LibraryWith(const std::vector<std::pair<std::string, std::vector<std::string>>>& genres)
    {
        CZarn2Doc& library = LoadDoc();
        for (const auto& [genre, titles] : genres) {
            EXPECT_GE(library.AddGroup(genre, 0), 0) << genre;
            for (const std::string& title : titles)
                EXPECT_GE(library.AddMember(title, "/g/" + title, "", 1, 0), 0) << title;
        }
        messenger.Clear();
        return library;
    }
    std::vector<std::string> GroupNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < doc->m_nGroupCount; ++i)
            names.push_back(doc->m_Group[static_cast<size_t>(i)].m_szName);
        return names;
    }
    std::vector<std::string> TitleNames(int group) const
    {
        const CGroup& g = doc->m_Group[static_cast<size_t>(group)];
        std::vector<std::string> names;
        for (int i = 0; i < g.m_nMemberCount; ++i)
            names.push_back(g.m_Member[static_cast<size_t>(i)].m_szName);
        return names;
    }
    void WriteList(const std::vector<std::string>& names, const std::string& curr)
    {
        std::string text = "[GroupList]\n";
        for (const std::string& name : names)
            text += name + "\n";
        TempDir::WriteBytes(ListPath(), Sjis(text + "\n[CurrGroup]\n" + curr + "\n"));
    }
};

const char* kEmptyList = ";;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;\r\n\r\n[GroupList]\r\n\r\n"
                         "[CurrGroup]\r\n-1\r\n\r\n";

}  // namespace

TEST_F(CZarn2DocTest, ChecksGenreCountAndIndexes)
{
    struct Case {
        int count;
        int curr;
        int n;
        int groups;       // CheckGroups()
        int index;        // CheckGroupIndex(n)
        std::vector<std::string> messages;
    } cases[] = {
        {0, -1, 40, 0, 0, {}},
        {31, 30, 0, 31, 0, {}},
        {32, 31, 31, 32, 31, {}},  // a full library is sound
        {33, 0, 0, -1, 0, {"Error-30 : グループ数が上限[32]に達しています."}},
        {0, 0, 0, -1, -1, {"ERROR-32 : 現在のグループ番号[0]が異常です.", "ERROR-42 : 現在のグループ番号[ 0]が異常です."}},
        {-2, -1, 0, -1, -1, {"ERROR-31 : トータルグループ数[-2]が異常です.", "ERROR-42 : 現在のグループ番号[-1]が異常です."}},
        {3, -1, 32, 3, -1, {"Error-40 : グループ数が上限[32]に達しています."}},
        {3, 1, -1, 3, -1, {"ERROR-41 : トータルグループ数[-1]が異常です."}},
    };
    auto library = std::make_unique<CZarn2Doc>(app);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " current " << c.curr << " n " << c.n);
        library->m_nGroupCount = c.count;
        library->m_nCurrGroup = c.curr;
        EXPECT_EQ(library->CheckGroups(), c.groups);
        EXPECT_EQ(library->CheckGroupIndex(c.n), c.index);
        EXPECT_EQ(TakeMessages(), c.messages);
    }
}

TEST_F(CZarn2DocTest, AnEmptyStartWritesAnEmptyList)
{
    CZarn2Doc& library = LoadDoc();
    EXPECT_EQ(library.m_nGroupCount, 0);
    EXPECT_EQ(library.m_nCurrGroup, -1);
    EXPECT_EQ(TempDir::ReadBytes(ListPath()), kEmptyList);
    EXPECT_EQ(library.GetGroupCount(), 0);
    EXPECT_EQ(library.GetMemberCount(), 0);
    EXPECT_EQ(library.GetPlayMode(), -1);
    EXPECT_EQ(library.GetCurrGroupName(), "");
    EXPECT_EQ(library.GetMember(0), nullptr);
    EXPECT_EQ(library.SetCurrGroup(0), -1);
    EXPECT_EQ(library.m_nCurrGroup, -1);
    EXPECT_EQ(library.ReadHistory(), -1);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CZarn2DocTest, FilesComeBackByteForByte)
{
    LibraryWith({{"アクション", {"ドラゴン", "B"}}, {"ＲＰＧ", {}}, {"パズル", {"ぷよ"}}});
    ASSERT_EQ(doc->SetCurrGroup(1), 1);
    ASSERT_EQ(doc->SaveGroupList(), 1);
    std::string list = TempDir::ReadBytes(ListPath());
    std::string action = TempDir::ReadBytes(Data("アクション.Zarn"));
    doc.reset();

    CZarn2Doc& again = LoadDoc();
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"アクション", "ＲＰＧ", "パズル"}));
    EXPECT_EQ(again.m_nCurrGroup, 1);
    EXPECT_EQ(TitleNames(0), (std::vector<std::string>{"ドラゴン", "B"}));
    std::filesystem::remove(ListPath());
    std::filesystem::remove(Data("アクション.Zarn"));
    again.OnCloseDocument();
    EXPECT_EQ(TempDir::ReadBytes(ListPath()), list);
    EXPECT_EQ(TempDir::ReadBytes(Data("アクション.Zarn")), action);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CZarn2DocTest, LoadsHandWrittenLists)
{
    struct Case {
        const char* what;
        std::vector<std::string> names;
        std::string curr;
        int count;
        int newCurr;
    } cases[] = {
        {"current beyond the count", {"A", "B", "C"}, "7", 3, 2},
        {"no current genre stays so", {"A", "B", "C"}, "-1", 3, -1},
        {"below -1", {"A"}, "-9", 1, -1},
        {"an empty list", {}, "0", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteList(c.names, c.curr);
        CZarn2Doc& library = LoadDoc();
        EXPECT_EQ(library.m_nGroupCount, c.count);
        EXPECT_EQ(library.m_nCurrGroup, c.newCurr);
        EXPECT_GE(library.CheckGroups(), 0);
        messenger.Clear();  // the genre files are missing
    }
}

TEST_F(CZarn2DocTest, ListsBeyondTheCapacityOrWithUnusableNames)
{
    std::vector<std::string> names{"../escape", "ok", "ok", std::string(1000, 'L')};
    for (int i = 0; i < 34; ++i)
        names.push_back("G" + std::to_string(i));
    WriteList(names, "31");
    CZarn2Doc& library = LoadDoc();
    // "ok", then the 998-byte piece of the long line is refused, its 2-byte rest
    // is a name; then G0..G29 fill the library.
    ASSERT_EQ(library.m_nGroupCount, 32);
    EXPECT_EQ(GroupNames()[0], "ok");
    EXPECT_EQ(GroupNames()[1], "LL");
    EXPECT_EQ(GroupNames()[31], "G29");
    EXPECT_EQ(library.m_nCurrGroup, 31);
    EXPECT_EQ(library.CheckGroups(), 32);
    bool told = false;
    for (const std::string& message : TakeMessages())
        told = told || message.find("を読み込みませんでした.") != std::string::npos;
    EXPECT_TRUE(told);

    // The 32nd genre survives the next save; a 33rd cannot be added.
    ASSERT_EQ(library.SaveGroupList(), 1);
    messenger.Clear();
    EXPECT_EQ(library.AddGroup("more", 0).reason, Refusal::Full);
    std::vector<std::string> messages = TakeMessages();
    EXPECT_EQ(messages.back(), "Error-30 : グループ数が上限[32]に達しています.");
    EXPECT_EQ(library.m_nGroupCount, 32);
    EXPECT_EQ(GroupNames()[31], "G29");
    EXPECT_FALSE(Exists(Data("more")));
}

TEST_F(CZarn2DocTest, FallsBackToTheSettingsFileAndWritesTheList)
{
    TempDir::WriteBytes(app.m_szIniPath, Sjis(";;; Zarn2.ini\r\n\r\n[Filer]\r\nnautilus\r\n\r\n[GroupList]\r\n"
                                              "アクション\r\nB\r\n\r\n"));
    TempDir::WriteBytes(Data("B.Zarn"), "[Title000]\r\nT\r\n\r\n\r\n1\r\n0\r\n\r\n");
    CZarn2Doc& library = LoadDoc();
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"アクション", "B"}));
    EXPECT_EQ(library.m_nCurrGroup, -1) << "no [CurrGroup]: no genre is current";
    EXPECT_EQ(TitleNames(1), std::vector<std::string>{"T"});
    EXPECT_EQ(TempDir::ReadBytes(ListPath()),
              ";;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;\r\n\r\n[GroupList]\r\n" + Sjis("アクション") +
                  "\r\nB\r\n\r\n[CurrGroup]\r\n-1\r\n\r\n");
    // The genre whose file was missing is written anew, and is reported once.
    EXPECT_TRUE(Exists(Data("アクション.Zarn")));
    EXPECT_EQ(TakeMessages().size(), 1u);
}

TEST_F(CZarn2DocTest, AnUnreadableListIsNeverWrittenOver)
{
    std::filesystem::create_directories(ListPath() + "/x");
    CZarn2Doc& library = LoadDoc();
    EXPECT_TRUE(StartsWith(TakeMessages().at(0), "ERROR[21] : グループファイル<" + ListPath() + ">を開けませんでした,"));
    EXPECT_EQ(library.m_nGroupCount, 0);
    EXPECT_EQ(library.SaveGroupList(), 0);
    EXPECT_EQ(library.AddGroup("A", 0).reason, Refusal::Unreadable);
    EXPECT_TRUE(std::filesystem::is_directory(ListPath()));
    EXPECT_FALSE(Exists(Data("A")));
}

// A list that is a link into a folder that is gone cannot be written: told once, by its path,
// however often the run writes the list.
TEST_F(CZarn2DocTest, AListThatCannotBeWrittenIsToldOnceWithItsPath)
{
    TempDir::WriteBytes(app.m_szIniPath, "[GroupList]\r\nA\r\n\r\n");
    std::filesystem::create_symlink(dir / "gone/Zarn2.Grp", ListPath());
    CZarn2Doc& library = LoadDoc();
    library.SaveGroupList();  // a click on a genre
    library.OnCloseDocument();
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 2u) << "the missing genre file, and the list";
    EXPECT_TRUE(StartsWith(messages[1], "ERROR[2] : グループファイル<" + ListPath() + ">を開けませんでした,"))
        << messages[1];
}

// A genre file missing at the load (a genre whose file a sync tool has not brought yet)
// that arrives later is read, not written over from the empty genre in memory.
TEST_F(CZarn2DocTest, AGenreFileThatArrivesAfterTheLoadIsReadNotWrittenOver)
{
    LibraryWith({{"A", {"a1"}}, {"G", {"g1", "g2"}}});
    const std::string file = Data("G.Zarn"), bytes = TempDir::ReadBytes(file);
    std::filesystem::remove(file);
    CZarn2Doc& library = LoadDoc();
    EXPECT_EQ(TakeMessages().size(), 1u) << "the missing genre file";
    TempDir::WriteBytes(file, bytes);
    library.OnCloseDocument();
    EXPECT_EQ(TempDir::ReadBytes(file), bytes);
    EXPECT_EQ(TitleNames(1), (std::vector<std::string>{"g1", "g2"}));
}

// A genre click writes the list when the current genre changed, and nothing when it did
// not: every rewrite is a file a sync tool sends to the other PCs.
TEST_F(CZarn2DocTest, AGenreClickWritesOnlyWhatChanged)
{
    CZarn2Doc& library = LibraryWith({{"A", {"a1"}}, {"G", {"g1"}}});
    RecordingFileSyscalls calls;
    EXPECT_EQ(library.SelectGroup(1), 1);
    EXPECT_EQ(calls.paths, std::vector<std::string>{});
    EXPECT_EQ(library.SelectGroup(0), 0);
    EXPECT_EQ(calls.paths, (std::vector<std::string>{"", ListPath(), dir.Path()}))
        << "the list's flush, rename and folder sync";
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CZarn2DocTest, AddGroupCreatesItsFilesAndMakesItCurrent)
{
    CZarn2Doc& library = LibraryWith({{"A", {}}});
    EXPECT_EQ(library.AddGroup("B", 1), 1);
    EXPECT_EQ(library.m_nCurrGroup, 1);
    EXPECT_EQ(library.GetPlayMode(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(Data("B")));
    EXPECT_EQ(TempDir::ReadBytes(Data("B.Zarn")), "[PlayMode]\r\n1\r\n\r\n[CurrMember]\r\n-1\r\n\r\n");

    // A genre whose folder or file cannot be created is not listed.
    std::filesystem::create_directory(Data("C"));
    EXPECT_EQ(library.AddGroup("C", 0).reason, Refusal::TakenOnDisk);
    EXPECT_EQ(library.AddGroup("a/b", 0).reason, Refusal::UnsafeName);
    EXPECT_EQ(library.AddGroup("A", 0).reason, Refusal::Duplicate);
    EXPECT_EQ(TakeMessages().size(), 3u);
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(library.m_nCurrGroup, 1);
}

TEST_F(CZarn2DocTest, IsGroupNameUsedComparesExactly)
{
    CZarn2Doc& library = LibraryWith({{"Action", {}}});
    EXPECT_EQ(library.IsGroupNameUsed("action"), 0);
    EXPECT_EQ(library.IsGroupNameUsed("Action"), 1);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"グループ名 [Action] が重複しています."});
}

TEST_F(CZarn2DocTest, DeleteGroupRemovesItsFilesAndKeepsTheCurrentInRange)
{
    CZarn2Doc& library = LibraryWith({{"A", {"a1"}}, {"B", {}}, {"C", {"c1", "c2"}}});
    ASSERT_EQ(library.m_nCurrGroup, 2);
    EXPECT_EQ(library.DeleteGroup(2), 2);
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(library.m_nCurrGroup, 1);
    EXPECT_FALSE(Exists(Data("C")));
    EXPECT_FALSE(Exists(Data("C.Zarn")));

    ASSERT_EQ(library.SetCurrGroup(1), 1);
    EXPECT_EQ(library.DeleteGroup(0), 1);
    EXPECT_EQ(GroupNames(), std::vector<std::string>{"B"});
    EXPECT_EQ(library.m_nCurrGroup, 0);
    EXPECT_EQ(library.m_Group[1].m_szName, "") << "the vacated slot is blank";
    EXPECT_TRUE(Exists(Data("B.Zarn")));
    EXPECT_TRUE(messenger.messages.empty());
}

// A genre's folder holding anything but its titles' logs is looked at first: nothing is
// deleted, and the entry is named.
TEST_F(CZarn2DocTest, DeleteGroupRefusesAFolderHoldingAnythingElse)
{
    struct Case {
        const char* what;
        std::string entry;
        bool folder;
    } cases[] = {
        {"a memo", "notes.txt", false},
        {"the log of no title of the genre", "old.Log", false},
        {"a folder named like a log", "a2.Log", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CZarn2Doc& library = LibraryWith({{"A", {"a1"}}, {"B", {}}});
        if (c.folder)
            std::filesystem::create_directory(Data("A/" + c.entry));
        else
            TempDir::WriteBytes(Data("A/" + c.entry), "mine");
        TempDir::WriteBytes(Data("A/a1.Log"), "plays");

        EXPECT_EQ(library.DeleteGroup(0), -1);

        std::vector<std::string> shown = TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find(c.entry), std::string::npos) << shown[0];
        EXPECT_EQ(GroupNames(), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(TitleNames(0), std::vector<std::string>{"a1"});
        EXPECT_EQ(TempDir::ReadBytes(Data("A/a1.Log")), "plays");
        EXPECT_TRUE(Exists(Data("A/" + c.entry)));
        std::filesystem::remove_all(Data("A"));
        std::filesystem::remove_all(Data("B"));
        std::filesystem::remove(Data("A.Zarn"));
        std::filesystem::remove(Data("B.Zarn"));
        std::filesystem::remove(ListPath());
    }
}

TEST_F(CZarn2DocTest, RenameGroupMovesEverything)
{
    CZarn2Doc& library = LibraryWith({{"A", {"a1"}}, {"B", {}}});
    ASSERT_EQ(library.SetCurrGroup(0), 0);
    EXPECT_EQ(library.RenameGroup("アクション", 1), 0);
    EXPECT_EQ(library.GetCurrGroupName(), "アクション");
    EXPECT_EQ(library.GetMember(0)->m_szLogFile, Data("アクション/a1.Log"));
    EXPECT_TRUE(Exists(Data("アクション/a1.Log")));
    EXPECT_NE(TempDir::ReadBytes(ListPath()).find(Sjis("アクション")), std::string::npos);

    EXPECT_EQ(library.RenameGroup("B", 1).reason, Refusal::Duplicate);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"グループ名 [B] が重複しています."});
}

TEST_F(CZarn2DocTest, MoveMemberCarriesTheLogToTheEndOfTheDestination)
{
    CZarn2Doc& library = LibraryWith({{"S", {"a", "b", "c"}}, {"D", {"x"}}});
    ASSERT_EQ(library.SetCurrGroup(0), 0);
    ASSERT_EQ(library.SetCurrMember(2), 2);
    TempDir::WriteBytes(Data("S/c.Log"), "c-plays");
    EXPECT_EQ(library.MoveMember(1), 1);
    EXPECT_EQ(library.m_nCurrGroup, 1);
    EXPECT_EQ(TitleNames(1), (std::vector<std::string>{"x", "c"}));
    EXPECT_EQ(library.m_Group[1].m_nCurrMember, 1);
    EXPECT_EQ(library.m_Group[1].m_Member[1].m_szLogFile, Data("D/c.Log"));
    EXPECT_EQ(TempDir::ReadBytes(Data("D/c.Log")), "c-plays");
    EXPECT_FALSE(Exists(Data("S/c.Log")));
    EXPECT_EQ(TitleNames(0), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(library.m_Group[0].m_nCurrMember, 1);
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CZarn2DocTest, MoveMemberNeverReplacesALog)
{
    CZarn2Doc& library = LibraryWith({{"S", {"a"}}, {"D", {"x"}}});
    ASSERT_EQ(library.SetCurrGroup(0), 0);
    TempDir::WriteBytes(Data("S/a.Log"), "mine");
    TempDir::WriteBytes(Data("D/a.Log"), "left behind");
    EXPECT_EQ(library.MoveMember(1), -1);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"ERROR[17] : ログファイルを<" + Data("S/a.Log") +
                                                       ">を移動出来ませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい."});
    EXPECT_EQ(TempDir::ReadBytes(Data("S/a.Log")), "mine");
    EXPECT_EQ(TempDir::ReadBytes(Data("D/a.Log")), "left behind");
    EXPECT_EQ(TitleNames(0), std::vector<std::string>{"a"});
    EXPECT_EQ(TitleNames(1), std::vector<std::string>{"x"});
    EXPECT_EQ(library.m_nCurrGroup, 0);

    // A title of that name in the destination: refused even without its log.
    ASSERT_EQ(library.SetCurrGroup(1), 1);
    std::filesystem::remove(Data("D/a.Log"));
    ASSERT_GE(library.AddMember("a", "", "", 1, 0), 0);
    std::filesystem::remove(Data("D/a.Log"));
    ASSERT_EQ(library.SetCurrGroup(0), 0);
    EXPECT_EQ(library.MoveMember(1), -1);
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_TRUE(Exists(Data("S/a.Log")));
}

TEST_F(CZarn2DocTest, MoveMemberWhoseDestinationFileCannotBeWrittenPutsEverythingBack)
{
    CZarn2Doc& library = LibraryWith({{"S", {"a", "b"}}, {"D", {"x"}}});
    ASSERT_EQ(library.SetCurrGroup(0), 0);
    ASSERT_EQ(library.SetCurrMember(1), 1);
    TempDir::WriteBytes(Data("S/b.Log"), "b-plays");
    std::filesystem::remove(Data("D.Zarn"));
    std::filesystem::create_directory(Data("D.Zarn"));  // the genre file can no longer be replaced
    EXPECT_EQ(library.MoveMember(1), -1);
    std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("D.Zarn ファイルをオープン出来ませんでした"), std::string::npos) << shown[0];
    EXPECT_EQ(TempDir::ReadBytes(Data("S/b.Log")), "b-plays");
    EXPECT_FALSE(Exists(Data("D/b.Log")));
    EXPECT_EQ(TitleNames(0), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(library.m_Group[0].m_Member[1].m_szLogFile, Data("S/b.Log"));
    EXPECT_EQ(library.m_Group[0].m_nCurrMember, 1);
    EXPECT_EQ(TitleNames(1), std::vector<std::string>{"x"});
    EXPECT_EQ(library.m_Group[1].m_nCurrMember, 0);
    EXPECT_EQ(library.m_nCurrGroup, 0);
}

TEST_F(CZarn2DocTest, MoveMemberIntoItsOwnGenreGoesToTheEnd)
{
    CZarn2Doc& library = LibraryWith({{"S", {"a", "b", "c"}}});
    ASSERT_EQ(library.SetCurrMember(0), 0);
    EXPECT_EQ(library.MoveMember(0), 0);
    EXPECT_EQ(TitleNames(0), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(library.m_Group[0].m_nCurrMember, 2);
    EXPECT_TRUE(Exists(Data("S/a.Log")));
    EXPECT_TRUE(messenger.messages.empty());

    // A genre file that cannot take the new order makes the move fail.
    std::filesystem::remove(Data("S.Zarn"));
    std::filesystem::create_directory(Data("S.Zarn"));
    EXPECT_EQ(library.MoveMember(0), -1);
    EXPECT_EQ(TakeMessages().size(), 1u);
}

TEST_F(CZarn2DocTest, MoveMemberNeedsARealDestinationWithRoom)
{
    CZarn2Doc& library = LibraryWith({{"S", {"a"}}, {"D", {}}});
    std::string file;
    for (int i = 0; i < 128; ++i)
        file += "[Title]\nT" + std::to_string(i) + "\n\n\n1\n0\n\n";
    TempDir::WriteBytes(Data("D.Zarn"), file);
    ASSERT_EQ(library.m_Group[1].Load(), 128);
    ASSERT_EQ(library.SetCurrGroup(0), 0);

    EXPECT_EQ(library.MoveMember(1), -1);
    EXPECT_EQ(library.MoveMember(2), -1);
    EXPECT_EQ(library.MoveMember(40), -1);
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"Error-10 : メンバー数が上限[128] に達しています.",
                                                        "ERROR-43 : 移動先のグループ番号[ 2]が異常です.",
                                                        "Error-40 : グループ数が上限[40]に達しています."}));
    EXPECT_EQ(TitleNames(0), std::vector<std::string>{"a"});
    EXPECT_EQ(library.m_Group[1].m_nMemberCount, 128);
    EXPECT_TRUE(Exists(Data("S/a.Log")));
}

TEST_F(CZarn2DocTest, AGenreWithTitlesButNoCurrentGenreShowsNothing)
{
    LibraryWith({{"A", {"a"}}});
    doc->m_nCurrGroup = -1;
    EXPECT_EQ(doc->GetGroupCount(), 1);
    EXPECT_EQ(doc->GetMemberCount(), 0);
    EXPECT_EQ(doc->GetMember(0), nullptr);
    EXPECT_EQ(doc->GetMemberIconPath(0), nullptr);
    EXPECT_EQ(doc->GetPlayMode(), -1);
    EXPECT_EQ(doc->AddMember("b", "", "", 1, 0).reason, Refusal::Inconsistent);
    EXPECT_EQ(doc->MoveMember(0), -1);
    EXPECT_EQ(doc->SetCurrGroup(0), 0);
    EXPECT_EQ(doc->GetMemberCount(), 1);
    EXPECT_EQ(*doc->GetMemberIconPath(0), "");
    EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(CZarn2DocTest, SwapGroupsExchangesWholeGenres)
{
    CZarn2Doc& library = LibraryWith({{"A", {"a1", "a2"}}, {"B", {"b1"}}});
    EXPECT_EQ(library.SwapGroups(0, 0), 1);
    EXPECT_EQ(TitleNames(0), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(library.SwapGroups(0, 1), 1);
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(TitleNames(0), std::vector<std::string>{"b1"});
    EXPECT_EQ(TitleNames(1), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(library.m_Group[1].m_Member[1].m_szLogFile, Data("A/a2.Log"));
    EXPECT_EQ(library.SwapGroups(0, 5), -1);
}
