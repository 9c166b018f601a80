// Reordering, moving, deleting and reloading titles: a title's history read into memory
// goes with the title (it belongs to the title's log), without being copied or released,
// and a slot that takes another title never shows the previous title's history.
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

class TitleHistoryTravelTest : public ::testing::Test, public ProgramFolder {
protected:
    // Genre "S" with titles a, b, c, d (d current) whose logs hold 1, 2, 3 and 4 sessions,
    // read into memory; genre "D" with title x, no sessions.
    CZarn2Doc& Library()
    {
        CZarn2Doc& library = LoadDoc();
        EXPECT_GE(library.AddGroup("D", 0), 0);
        EXPECT_GE(library.AddMember("x", "/g/x", "", 1, 0), 0);
        EXPECT_GE(library.AddGroup("S", 0), 0);
        const std::vector<std::string> names{"a", "b", "c", "d"};
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_GE(library.AddMember(names[i], "/g/" + names[i], "", 1, 0), 0);
            std::string log;
            for (size_t n = 0; n <= i; ++n)
                log += "2020/01/0" + std::to_string(n + 1) + ",10:00:00\r\n60\r\n";
            TempDir::WriteBytes(Data("S/" + names[i] + ".Log"), log);
            EXPECT_EQ(library.CurrMember()->ReadLog(), static_cast<int>(i + 1));
        }
        messenger.Clear();
        return library;
    }

    // Where each title's sessions are held, by title name, over both genres.
    std::map<std::string, const CPlayTime*> Held() const
    {
        std::map<std::string, const CPlayTime*> held;
        for (int g = 0; g < doc->m_nGroupCount; ++g) {
            const CGroup& group = doc->m_Group[static_cast<size_t>(g)];
            for (int i = 0; i < group.m_nMemberCount; ++i) {
                const CMember& member = group.m_Member[static_cast<size_t>(i)];
                held[member.m_szName] = member.m_Session.data();
            }
        }
        return held;
    }

    // Every title holds the history of its own log: as many sessions as its name says.
    void ExpectOwnHistories() const
    {
        const std::map<std::string, int> sessions{{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"x", 0}};
        for (int g = 0; g < doc->m_nGroupCount; ++g) {
            const CGroup& group = doc->m_Group[static_cast<size_t>(g)];
            for (int i = 0; i < group.m_nMemberCount; ++i) {
                const CMember& member = group.m_Member[static_cast<size_t>(i)];
                SCOPED_TRACE(member.m_szName);
                EXPECT_EQ(member.m_szLogFile, group.LogFileFor(member.m_szName));
                EXPECT_EQ(member.m_nSessionCount, sessions.at(member.m_szName));
                EXPECT_EQ(static_cast<int>(member.m_Session.size()), sessions.at(member.m_szName));
            }
        }
    }
};

TEST_F(TitleHistoryTravelTest, HistoriesTravelWithTheirTitles)
{
    struct Case {
        const char* what;
        std::function<void(CZarn2Doc&)> run;
        std::vector<std::string> source;  // titles of "S" afterwards
    };
    const std::vector<Case> cases{
        {"swap first and last", [](CZarn2Doc& d) { d.SwapMembers(3, 0); }, {"d", "b", "c", "a"}},
        {"last to the top, one swap at a time",
         [](CZarn2Doc& d) {
             for (int i = 3; i >= 1; --i)
                 d.SwapMembers(i, i - 1);
         },
         {"d", "a", "b", "c"}},
        {"move a middle title to the other genre",
         [](CZarn2Doc& d) {
             d.SetCurrMember(1);
             d.MoveMember(0);
         },
         {"a", "c", "d"}},
        {"move a title to the end of its own genre",
         [](CZarn2Doc& d) {
             d.SetCurrMember(0);
             d.MoveMember(1);
         },
         {"b", "c", "d", "a"}},
        {"delete a title", [](CZarn2Doc& d) { d.CurrGroup()->DeleteMember(1); }, {"a", "c", "d"}},
        {"reload the genre file", [](CZarn2Doc& d) { d.CurrGroup()->Load(); }, {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CZarn2Doc& library = Library();
        ASSERT_EQ(library.m_nCurrGroup, 1);
        std::map<std::string, const CPlayTime*> before = Held();
        c.run(library);
        std::vector<std::string> names;
        for (int i = 0; i < library.m_Group[1].m_nMemberCount; ++i)
            names.push_back(library.m_Group[1].m_Member[static_cast<size_t>(i)].m_szName);
        EXPECT_EQ(names, c.source);
        ExpectOwnHistories();
        for (const auto& [name, sessions] : Held()) {
            SCOPED_TRACE(name);
            EXPECT_EQ(sessions, before.at(name)) << "the sessions were copied or read again";
        }
        EXPECT_TRUE(messenger.messages.empty());
        doc.reset();
        std::filesystem::remove_all(app.m_szDataDir);
        std::filesystem::create_directory(app.m_szDataDir);
        std::filesystem::remove(ListPath());
    }
}

TEST_F(TitleHistoryTravelTest, ASlotTakingAnotherTitleOnReloadDropsTheOldHistory)
{
    CZarn2Doc& library = Library();
    CGroup& group = *library.CurrGroup();
    // The genre file now lists the titles the other way round.
    for (int i = 0; i < 2; ++i)
        group.m_Member[static_cast<size_t>(i)].SwapWith(group.m_Member[static_cast<size_t>(3 - i)]);
    ASSERT_EQ(group.Save(), 4);
    for (int i = 0; i < 2; ++i)
        group.m_Member[static_cast<size_t>(i)].SwapWith(group.m_Member[static_cast<size_t>(3 - i)]);
    ASSERT_EQ(group.m_Member[0].m_szName, "a");

    ASSERT_EQ(group.Load(), 4);
    for (int i = 0; i < 4; ++i) {
        const CMember& member = group.m_Member[static_cast<size_t>(i)];
        SCOPED_TRACE(member.m_szName);
        EXPECT_EQ(member.m_szName, std::string(1, static_cast<char>('d' - i)));
        EXPECT_EQ(member.m_nSessionCount, 0) << "another title's history stayed in the slot";
        EXPECT_TRUE(member.m_Session.empty());
    }
}

}  // namespace
