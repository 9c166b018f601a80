#include "library/NameRules.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using NameRules::Kind;

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string Printable(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text)
        shown += c < 0x20 ? "\\x" + std::to_string(c) : std::string(1, static_cast<char>(c));
    return shown.size() > 60 ? shown.substr(0, 60) + "...(" + std::to_string(text.size()) + " bytes)" : shown;
}

}  // namespace

TEST(NameRules, RefusesNamesThatMakeUnsafePaths)
{
    struct Case {
        Kind kind;
        std::string name;
        const char* messageStart;  // nullptr: the name is accepted
        Refusal reason;
    } cases[] = {
        {Kind::Group, "", "グループ名が入力されていません.", Refusal::UnsafeName},
        {Kind::Member, "", "メンバー名が入力されていません.", Refusal::UnsafeName},
        {Kind::Group, ".", "グループ名 [.] は使用出来ません.", Refusal::UnsafeName},
        {Kind::Group, "..", "グループ名 [..] は使用出来ません.", Refusal::UnsafeName},
        {Kind::Member, "..", "メンバー名 [..] は使用出来ません.", Refusal::UnsafeName},
        // The data folder's folder of the change journals, in any case; a title may be named so.
        {Kind::Group, ".Changes", "グループ名 [.Changes] は Zarn2 が使うため使用出来ません.", Refusal::UnsafeName},
        {Kind::Member, ".changes", nullptr, Refusal::None},
        {Kind::Group, "../x", "グループ名 [../x] に使用出来ない文字 [/] が含まれています.", Refusal::UnsafeName},
        {Kind::Member, "a/b", "メンバー名 [a/b] に使用出来ない文字 [/] が含まれています.", Refusal::UnsafeName},
        {Kind::Member, std::string("a\0b", 3), "メンバー名に使用出来ない制御文字 [0x00]", Refusal::UnsafeName},
        {Kind::Member, "a\nb", "メンバー名に使用出来ない制御文字 [0x0A]", Refusal::UnsafeName},
        {Kind::Group, "a\r", "グループ名に使用出来ない制御文字 [0x0D]", Refusal::UnsafeName},
        {Kind::Group, "a\tb", "グループ名に使用出来ない制御文字 [0x09]", Refusal::UnsafeName},
        {Kind::Group, "a\x7f", "グループ名に使用出来ない制御文字 [0x7F]", Refusal::UnsafeName},
        {Kind::Group, "a\xC2\x85", "グループ名に使用出来ない制御文字 [0x85]", Refusal::UnsafeName},
        // File names "name.Log" / "name.Zarn" may take 248 bytes of UTF-8.
        {Kind::Member, Repeat("a", 244), nullptr, Refusal::None},
        {Kind::Member, Repeat("a", 245), "メンバー名が長すぎます.", Refusal::TooLong},
        {Kind::Group, Repeat("a", 243), nullptr, Refusal::None},
        {Kind::Group, Repeat("a", 244), "グループ名が長すぎます.", Refusal::TooLong},
        {Kind::Member, Repeat("あ", 81) + "a", nullptr, Refusal::None},
        {Kind::Member, Repeat("あ", 81) + "ab", "メンバー名が長すぎます.", Refusal::TooLong},
        {Kind::Group, Repeat("あ", 81), nullptr, Refusal::None},
        {Kind::Group, Repeat("あ", 81) + "a", "グループ名が長すぎます.", Refusal::TooLong},
        {Kind::Member, "😀", "メンバー名に保存出来ない文字 [😀] (U+1F600)", Refusal::NotCp932},
        {Kind::Group, "シューティング・・・", nullptr, Refusal::None},
        {Kind::Member, ".hidden", nullptr, Refusal::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Printable(c.name));
        NameRules::Finding found = NameRules::Problem(c.kind, c.name);
        EXPECT_EQ(found.reason, c.reason);
        const std::string& problem = found.message;
        if (!c.messageStart) {
            EXPECT_EQ(problem, "");
            continue;
        }
        EXPECT_EQ(problem.substr(0, std::string(c.messageStart).size()), c.messageStart) << problem;
    }
}

TEST(NameRules, NamesTheWindowsVersionCannotStoreOrThatChangeInCp932AreRefused)
{
    const std::pair<std::string, Refusal> cases[] = {
        {"a\\b", Refusal::WindowsName},
        {"a:b", Refusal::WindowsName},
        {"a*", Refusal::WindowsName},
        {"?", Refusal::WindowsName},
        {"\"q\"", Refusal::WindowsName},
        {"<a>", Refusal::WindowsName},
        {"a|b", Refusal::WindowsName},
        {"シューティング...", Refusal::WindowsName},
        {"trailing ", Refusal::WindowsName},
        {"con", Refusal::WindowsName},
        {"LPT9", Refusal::WindowsName},
        {"Nul .txt", Refusal::WindowsName},
        {"COM0", Refusal::None},
        {"CONSOLE", Refusal::None},
        {" leading", Refusal::None},
        {"全角　", Refusal::None},  // an ideographic space ends it
        {"ＡＢ：＊", Refusal::None},
        {"a〜b", Refusal::NotCp932},  // comes back as "～"
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        NameRules::Finding found = NameRules::Problem(Kind::Group, name);
        EXPECT_EQ(found.reason, reason);
        EXPECT_EQ(found.message.empty(), reason == Refusal::None);
    }
}

TEST(NameRules, TooLongIsToldInCharactersNotBytes)
{
    struct Case {
        std::string problem;
        const char* fullWidth;
        const char* halfWidth;
    } cases[] = {
        {NameRules::Problem(Kind::Member, Repeat("a", 245)).message, " 81 ", " 244 "},
        {NameRules::Problem(Kind::Group, Repeat("あ", 82)).message, " 81 ", " 243 "},
        {NameRules::StoredPathProblem("実行ファイルのパス", Repeat("a", 258)).message, " 128 ", " 257 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        EXPECT_EQ(c.problem.find("バイト"), std::string::npos);
        EXPECT_NE(c.problem.find(c.fullWidth), std::string::npos);
        EXPECT_NE(c.problem.find(c.halfWidth), std::string::npos);
    }
}

TEST(NameRules, BoundaryIsTheFileNameLength)
{
    // The limits are stated on the file names the names become.
    EXPECT_EQ(NameRules::MaxNameBytes(Kind::Member) + std::string(".Log").size(), 248u);
    EXPECT_EQ(NameRules::MaxNameBytes(Kind::Group) + std::string(".Zarn").size(), 248u);
}

TEST(NameRules, NamesFromFilesAreCheckedForPathsAndUndecodableBytes)
{
    // Text code page 932 cannot hold is a matter for the user's input, not for loading.
    EXPECT_EQ(NameRules::PathProblem(Kind::Member, "😀").message, "");
    EXPECT_NE(NameRules::PathProblem(Kind::Member, "a/b").message, "");
    // Bytes code page 932 could not decode (U+FFFD after reading) would be written back changed.
    EXPECT_EQ(NameRules::StoredNameProblem(Kind::Group, "A\uFFFDZ").reason, Refusal::NotCp932);
    EXPECT_EQ(NameRules::StoredNameProblem(Kind::Member, "A\uFFFDZ").reason, Refusal::NotCp932);
}

TEST(NameRules, StoredPathsFitTheirLineOfTheGenreFile)
{
    struct Case {
        std::string path;
        bool ok;
    } cases[] = {
        {"", true},
        {"/games/" + Repeat("a", 250), true},           // 257 bytes
        {"/games/" + Repeat("a", 251), false},          // 258 bytes
        {Repeat("あ", 128), true},                       // 256 bytes in code page 932
        {Repeat("あ", 128) + "a", true},                 // 257
        {Repeat("あ", 129), false},                      // 258
        {"C:\\game\nx.exe", false},
        {"/games/😀.exe", false},
        {"C:\\Games\\a.exe", true},
        {"/games/a〜b.exe", false},  // would come back as another path
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Printable(c.path));
        EXPECT_EQ(NameRules::StoredPathProblem("実行ファイルのパス", c.path).message.empty(), c.ok);
    }
}
