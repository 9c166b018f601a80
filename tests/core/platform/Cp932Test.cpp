#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

struct Case {
    const char* what;
    std::string bytes;  // code page 932
    std::string utf8;
};

// Round trips in both directions: the characters where code page 932 differs from plain
// Shift-JIS, and the NEC and IBM extensions.
const Case kRoundTrips[] = {
    {"ASCII", "Zarn2 1.20", "Zarn2 1.20"},
    {"0x5C is a backslash", "C:\\Games", "C:\\Games"},
    {"0x7E is a tilde", "~/x", "~/x"},
    {"katakana and kanji", "\x83\x5E\x83\x43\x83\x67\x83\x8B", "タイトル"},
    {"0x8160 is the fullwidth tilde", "\x81\x60", "\uFF5E"},
    {"0x817C is the fullwidth minus", "\x81\x7C", "\uFF0D"},
    {"NEC row 13: circled one", "\x87\x40", "\u2460"},
    {"IBM extension: small roman one", "\xFA\x40", "\u2170"},
    {"half-width katakana", "\xB1", "\uFF71"},
};

}  // namespace

TEST(Cp932, RoundTripsBothWays)
{
    for (const Case& c : kRoundTrips) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Cp932::ToUtf8(c.bytes), c.utf8) << "bytes " << Hex(c.bytes);
        std::string encoded;
        ASSERT_TRUE(Cp932::FromUtf8(c.utf8, encoded)) << c.utf8;
        EXPECT_EQ(Hex(encoded), Hex(c.bytes)) << c.utf8;
    }
}

TEST(Cp932, NecSelectedIbmExtensionIsWrittenInItsIbmForm)
{
    // Two byte codes read as the same kanji; writing picks the IBM one, as Windows does.
    EXPECT_EQ(Cp932::ToUtf8("\xED\x40"), "\u7E8A");
    std::string encoded;
    ASSERT_TRUE(Cp932::FromUtf8("\u7E8A", encoded));
    EXPECT_EQ(Hex(encoded), "FA 5C ");
}

TEST(Cp932, LookAlikesAreStoredAsTheirCp932Forms)
{
    const std::pair<const char*, std::string> cases[] = {
        {"\u301C", "\x81\x60"},  // wave dash
        {"\u2212", "\x81\x7C"},  // minus sign
        {"\u2016", "\x81\x61"},  // double vertical line
    };
    for (const auto& [utf8, bytes] : cases) {
        std::string encoded;
        ASSERT_TRUE(Cp932::FromUtf8(utf8, encoded)) << utf8;
        EXPECT_EQ(Hex(encoded), Hex(bytes)) << utf8;
    }
}

TEST(Cp932, UnmappableCharacterIsRefusedAndNamed)
{
    std::string encoded = "old";
    std::string bad;
    EXPECT_FALSE(Cp932::FromUtf8("ゲーム\U0001F600です", encoded, &bad));
    EXPECT_EQ(bad, "\U0001F600");
    EXPECT_TRUE(encoded.empty());
    EXPECT_FALSE(Cp932::CanEncode("한국어", &bad));
    EXPECT_EQ(bad, "한");
    EXPECT_NE(Cp932::UnmappableMessage("名前", bad).find("[한] (U+D55C)"), std::string::npos);
}

TEST(Cp932, CodePointsNameCharactersAFontMayLack)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a", "U+0061"}, {"é", "U+00E9"}, {"ア", "U+30A2"}, {"\U0001F3AE", "U+1F3AE"}, {"", ""},
    };
    for (const auto& [character, point] : cases)
        EXPECT_EQ(Cp932::CodePoint(character), point) << character;
}

TEST(Cp932, FirstChangedFindsCharactersThatReadBackAsOthers)
{
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"abc\\~", "", ""},
        {"ゲーム～", "", ""},
        {"ア\u301Cイ", "\u301C", "\uFF5E"},  // wave dash: a look-alike is written
        {"\u00A5" "100", "\u00A5", "\\"},     // yen sign: written as 0x5C, read as a backslash
        {"x\u2212y\u301C", "\u2212", "\uFF0D"},
    };
    for (const auto& [text, changed, becomes] : cases) {
        auto [found, back] = Cp932::FirstChanged(text);
        EXPECT_EQ(found, changed) << text;
        EXPECT_EQ(back, becomes) << text;
    }
}

TEST(Cp932, BrokenBytesDecodeToReplacementCharacters)
{
    // A lead byte cut off at the end, and a lead byte followed by an invalid trail byte.
    EXPECT_EQ(Cp932::ToUtf8("AB\x83"), "AB\uFFFD");
    EXPECT_EQ(Cp932::ToUtf8("\x83\x0A" "C"), "\uFFFD\nC");
    // What could not be read is written back as '?', so such a file can still be saved.
    std::string encoded;
    ASSERT_TRUE(Cp932::FromUtf8("AB\uFFFD", encoded));
    EXPECT_EQ(encoded, "AB?");
}

TEST(Cp932, TextsLongerThanTheConverterBufferConvertWhole)
{
    // 3000 katakana are 6000 bytes in code page 932 and 9000 in UTF-8: several buffers.
    std::string bytes;
    std::string utf8;
    for (int i = 0; i < 1000; ++i) {
        bytes += "\x83\x5E\x83\x43\x83\x67";
        utf8 += "タイト";
    }
    EXPECT_EQ(Cp932::ToUtf8(bytes), utf8);
    std::string encoded;
    ASSERT_TRUE(Cp932::FromUtf8(utf8, encoded));
    EXPECT_EQ(encoded, bytes);
    // Past the first buffer, an unmappable character is still found and named.
    std::string bad;
    EXPECT_FALSE(Cp932::FromUtf8(utf8 + "\U0001F600", encoded, &bad));
    EXPECT_EQ(bad, "\U0001F600");
}
