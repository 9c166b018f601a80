// The two library files on their own: what the readers make of hand-written bytes, and
// the exact bytes the writers produce.
#include "app/ProgramPaths.h"
#include "library/CGroup.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/Cp932.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <gtest/gtest.h>

namespace {

std::string Sjis(const std::string& utf8)
{
    std::string bytes;
    Cp932::FromUtf8(utf8, bytes);
    return bytes;
}

GroupListFile::Content ReadList(const std::string& bytes)
{
    TextFileReader reader;
    reader.OpenBytes(bytes);
    return GroupListFile::Read(reader);
}

GroupFile::Content ReadGroup(const std::string& bytes)
{
    TextFileReader reader;
    reader.OpenBytes(bytes);
    return GroupFile::Read(reader);
}

std::string Bytes(const TextFileWriter& writer)
{
    std::string bytes;
    EXPECT_TRUE(writer.Encode(bytes, nullptr));
    return bytes;
}

}  // namespace

TEST(GroupListFile, ReadsHandWrittenLists)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool hasList;
        std::vector<std::string> names;
        std::optional<int> curr;
    } cases[] = {
        {"as written", ";;;\r\n\r\n[GroupList]\r\nA\r\nB\r\n\r\n[CurrGroup]\r\n1\r\n\r\n", true, {"A", "B"}, 1},
        {"LF only", "[GroupList]\nA\n\n[CurrGroup]\n0\n", true, {"A"}, 0},
        {"empty list", "[GroupList]\n\n[CurrGroup]\n-1\n", true, {}, -1},
        {"sections in the other order", "[CurrGroup]\n2\n[GroupList]\nA\nB\nC\n", true, {"A", "B", "C"}, 2},
        {"the list ends at the end of the file", "[GroupList]\nA\nB", true, {"A", "B"}, std::nullopt},
        {"no sections at all", "hello\n", false, {}, std::nullopt},
        {"a header with a trailing blank is not one", "[GroupList] \nA\n\n[CurrGroup] \n1\n", false, {},
         std::nullopt},
        {"[CurrGroup] as the last line without newline", "[GroupList]\nA\n\n[CurrGroup]", true, {"A"},
         std::nullopt},
        {"a value that is no number", "[CurrGroup]\nabc\n", false, {}, std::nullopt},
        {"a value with trailing text", "[CurrGroup]\n 3x\n", false, {}, 3},
        {"the last list wins", "[GroupList]\nA\n\n[GroupList]\nB\n\n", true, {"B"}, std::nullopt},
        {"Japanese names", Sjis("[GroupList]\nアクション\nＲＰＧ\n\n"), true, {"アクション", "ＲＰＧ"},
         std::nullopt},
        {"a lone CR ends no line", "[GroupList]\rA\r\n[CurrGroup]\n1\n", false, {}, 1},
        {"a line over 998 bytes is two names", "[GroupList]\n" + std::string(1000, 'x') + "\n\n", true,
         {std::string(998, 'x'), "xx"}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GroupListFile::Content content = ReadList(c.bytes);
        EXPECT_EQ(content.hasList, c.hasList);
        EXPECT_EQ(content.names, c.names);
        EXPECT_EQ(content.currGroup, c.curr);
    }
}

TEST(GroupFiles, TellTheirFormatFromOtherBytes)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool list;   // read as a genre list, or as a genre file
        bool theirs;
    } cases[] = {
        {"an empty list", "", true, true},
        {"blank lines", "\r\n \r\n", true, true},
        {"only the current genre", "[CurrGroup]\r\n0\r\n", true, true},
        {"a name's bytes are the name's matter", "[GroupList]\r\nA\x80Z\r\n\r\n", true, true},
        {"undecodable bytes where a header belongs", ";; \x80 ;;\r\n[GroupList]\r\n\r\n", true, false},
        {"lines outside a section are ignored", "A\r\nB\r\n", true, true},
        {"only the first comment line", ";;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;\r\n", true, true},
        {"a genre file without a section is none", "A\r\nB\r\n", false, false},
        {"a NUL byte", "[GroupList]\r\nA" + std::string(1, '\0') + "\r\n", true, false},
        {"a genre file", "[Title000]\r\nA\r\n", false, true},
        {"a genre list is no genre file", "[GroupList]\r\nA\r\n", false, false},
        {"a list whose lines end in CR alone", ";; x ;;\r\r[GroupList]\rA\rB\r\r", true, false},
        {"a list with a stretch of CR line ends", "[GroupList]\rA\rB\r\n\r\n[CurrGroup]\r\n0\r\n", true, false},
        {"a CR inside a name is the name's matter", "[GroupList]\r\nA\rB\r\n\r\n", true, true},
        {"a genre file's titles run together by CRs", "[PlayMode]\r\n0\r\n\r\n[Title000]\rA\r/a\r\r1\r0\r\r"
                                                        "[Title001]\r\nB\r\n/b\r\n\r\n1\r\n0\r\n", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string problem = c.list ? ReadList(c.bytes).problem : ReadGroup(c.bytes).problem;
        EXPECT_EQ(problem.empty(), c.theirs) << problem;
    }
}

TEST(GroupListFile, WritesTheExactFormat)
{
    TextFileWriter empty;
    GroupListFile::Write({}, -1, empty);
    EXPECT_EQ(Bytes(empty), ";;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;\r\n\r\n[GroupList]\r\n\r\n"
                            "[CurrGroup]\r\n-1\r\n\r\n");

    TextFileWriter two;
    GroupListFile::Write({"アクション", "B"}, 1, two);
    EXPECT_EQ(Bytes(two), ";;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;\r\n\r\n[GroupList]\r\n" +
                              Sjis("アクション") + "\r\nB\r\n\r\n[CurrGroup]\r\n1\r\n\r\n");
}

TEST(GroupListFile, PathReplacesOnlyTheFileNamesExtension)
{
    struct Case {
        std::string exe;
        std::string list;
    } cases[] = {
        {"/opt/zarn2/Zarn2", "/opt/zarn2/Zarn2.Grp"},
        {"/opt/zarn2/Zarn2.exe", "/opt/zarn2/Zarn2.Grp"},
        {"/home/u/.local/bin/Zarn2", "/home/u/.local/bin/Zarn2.Grp"},
        {"/home/u/my.games/Zarn2.bin", "/home/u/my.games/Zarn2.Grp"},
        {"/x/.zarn2", "/x/.zarn2.Grp"},
        {"Zarn2", "Zarn2.Grp"},
        {"/x/", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(ProgramPaths::GroupListPathFor(c.exe), c.list);
    }
}

TEST(GroupFile, ReadsHandWrittenGenreFiles)
{
    GroupFile::Content odd = ReadGroup("[Title007]\nB\n/b\n\n0\n1\n\n[Title002]\nA\n/a\n/a.ico\n1\n0\n\n"
                                       "[CurrMember]\n1\n\n");
    EXPECT_EQ(odd.playMode, std::nullopt);
    EXPECT_EQ(odd.currMember, 1);
    ASSERT_EQ(odd.titles.size(), 2u);
    EXPECT_EQ(odd.titles[0].name, "B");
    EXPECT_EQ(odd.titles[0].iconPath, "");
    EXPECT_EQ(odd.titles[0].autoTiming, 0);
    EXPECT_EQ(odd.titles[0].useMedia, 1);
    EXPECT_EQ(odd.titles[1].name, "A");
    EXPECT_EQ(odd.titles[1].iconPath, "/a.ico");

    GroupFile::Content cut = ReadGroup("[PlayMode]\r\n1\r\n[Title000]\r\nA\r\n/a");
    EXPECT_EQ(cut.playMode, 1);
    ASSERT_EQ(cut.titles.size(), 1u);
    EXPECT_EQ(cut.titles[0].name, "A");
    EXPECT_EQ(cut.titles[0].exePath, "/a");
    EXPECT_EQ(cut.titles[0].iconPath, std::nullopt);
    EXPECT_EQ(cut.titles[0].autoTiming, std::nullopt);

    GroupFile::Content flags = ReadGroup("[Title]\nA\n\n\n2\nx\n");
    ASSERT_EQ(flags.titles.size(), 1u);
    EXPECT_EQ(flags.titles[0].autoTiming, 2);
    EXPECT_EQ(flags.titles[0].useMedia, std::nullopt);
}

TEST(GroupFile, ProgramPathsAreReadAt257BytesAtMost)
{
    std::string fits = "/" + std::string(256, 'p');     // 257 bytes
    std::string spills = "/" + std::string(257, 'p');   // 258 bytes
    GroupFile::Content a = ReadGroup("[Title000]\nA\n" + fits + "\n/i\n1\n0\n\n");
    ASSERT_EQ(a.titles.size(), 1u);
    EXPECT_EQ(a.titles[0].exePath, fits);
    EXPECT_EQ(a.titles[0].iconPath, "/i");

    GroupFile::Content b = ReadGroup("[Title000]\nA\n" + spills + "\n/i\n1\n0\n\n");
    ASSERT_EQ(b.titles.size(), 1u);
    EXPECT_EQ(b.titles[0].exePath, spills.substr(0, 258));
    EXPECT_EQ(b.titles[0].iconPath, "");  // the rest of the line: the block shifts by one
    EXPECT_EQ(b.titles[0].autoTiming, std::nullopt);
}

TEST(GroupFile, WritesTheExactFormat)
{
    auto group = std::make_unique<CGroup>();
    group->m_nPlayMode = 1;
    group->m_nMemberCount = 2;
    group->m_nCurrMember = 0;
    group->m_Member[0].m_szName = "スーパー";
    group->m_Member[0].m_szExePath = "/g/a.exe";
    group->m_Member[1].m_szName = "B";
    group->m_Member[1].m_szIconPath = "/g/b.ico";
    group->m_Member[1].m_nAutoTiming = 2;  // anything but 1 is written as manual
    group->m_Member[1].m_nUseMedia = 1;
    TextFileWriter writer;
    GroupFile::Write(*group, writer);
    EXPECT_EQ(Bytes(writer), "[PlayMode]\r\n1\r\n\r\n[CurrMember]\r\n0\r\n\r\n"
                             "[Title000]\r\n" + Sjis("スーパー") + "\r\n/g/a.exe\r\n\r\n1\r\n0\r\n\r\n"
                             "[Title001]\r\nB\r\n\r\n/g/b.ico\r\n0\r\n1\r\n\r\n");
}
