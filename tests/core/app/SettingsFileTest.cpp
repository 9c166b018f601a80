#include "app/SettingsFile.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

CSettings ReadFrom(const std::string& bytes, CSettings start = CSettings())
{
    TextFileReader reader;
    reader.OpenBytes(bytes);
    SettingsFile::Read(reader, start);
    return start;
}

std::string Written(const CSettings& settings)
{
    TextFileWriter writer;
    SettingsFile::Write(settings, writer);
    std::string bytes;
    EXPECT_TRUE(writer.Encode(bytes, nullptr));
    return bytes;
}

const std::string kDefaultFile1024 =
    ";;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;\r\n\r\n"
    "[Position]\r\n137 : 129\r\n\r\n"
    "[IconSize]\r\n0\r\n\r\n"
    "[CD/DVD-ROM]\r\n0\r\n\r\n"
    "[LimitMinite]\r\n0\r\n\r\n"
    "[HistoryMode]\r\n0\r\n\r\n"
    "[Minimize]\r\n1\r\n\r\n"
    "[AutoExit]\r\n0\r\n\r\n"
    "[Filer]\r\nexplorer.exe\r\n\r\n"
    "[SUBST]\r\n\r\n";

}  // namespace

TEST(SettingsFile, DefaultsOnA1024x768ScreenWriteTheExactFile)
{
    CSettings settings;
    settings.Position = CSettings::CentredPosition(1024, 768);
    EXPECT_EQ(Written(settings), kDefaultFile1024);
}

TEST(SettingsFile, WrittenFileReadsBackAndWritesAgainByteForByte)
{
    // The idle check's section is written only when it is not the default.
    for (int idleMinite : {CSettings::kDefaultIdleMinite, 0, 45}) {
        SCOPED_TRACE(idleMinite);
        CSettings settings;
        settings.Position = {-5, 1200};
        settings.IconSize = 1;
        settings.CdDvdRom = 2;
        settings.LimitMinite = 30;
        settings.HistoryMode = 1;
        settings.Minimize = 0;
        settings.AutoExit = 1;
        settings.Filer = "/opt/Program Files/Tool/tool.exe";
        settings.SUBST = "/home/user/ゲーム";
        settings.IdleMinite = idleMinite;
        std::string first = Written(settings);
        CSettings back = ReadFrom(first, CSettings());
        EXPECT_EQ(back.Filer, settings.Filer);
        EXPECT_EQ(back.SUBST, settings.SUBST);
        EXPECT_EQ(back.Position.x, -5);
        EXPECT_EQ(back.IdleMinite, idleMinite);
        EXPECT_EQ(first.find("[IdleMinite]") != std::string::npos, idleMinite != CSettings::kDefaultIdleMinite);
        EXPECT_EQ(Written(back), first);
    }
}

TEST(SettingsFile, ReaderMatchesWholeLinesOnly)
{
    struct Case {
        const char* what;
        std::string file;
        void (*check)(const CSettings&);
    } cases[] = {
        {"empty file changes nothing", "", [](const CSettings& s) { EXPECT_EQ(s.Minimize, 1); }},
        {"one section, everything else default", "[Minimize]\n0\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Minimize, 0);
             EXPECT_EQ(s.Filer, "explorer.exe");
             EXPECT_EQ(s.LimitMinite, 0);
         }},
        {"lower-case header is not a header", "[minimize]\n0\n",
         [](const CSettings& s) { EXPECT_EQ(s.Minimize, 1); }},
        {"a blank before the line end spoils the header", "[Position] \n1 : 2\n",
         [](const CSettings& s) { EXPECT_EQ(s.Position.x, 77); }},
        {"header on a last line without line end", "[Minimize]",
         [](const CSettings& s) { EXPECT_EQ(s.Minimize, 1); }},
        {"trailing text after a number is ignored", "[IconSize]\n1 large\n",
         [](const CSettings& s) { EXPECT_EQ(s.IconSize, 1); }},
        {"a header as the value line is taken as a header too", "[Position]\n[IconSize]\n1\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Position.x, 77);
             EXPECT_EQ(s.Position.y, 88);
             EXPECT_EQ(s.IconSize, 1);
         }},
        {"only x of the position", "[Position]\n12\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Position.x, 12);
             EXPECT_EQ(s.Position.y, 88);
         }},
        {"blanks around the colon and signs", "[Position]\n  -3:+4\n[LimitMinite]\n -7\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Position.x, -3);
             EXPECT_EQ(s.Position.y, 4);
             EXPECT_EQ(s.LimitMinite, -7);
         }},
        {"no digits leaves the value", "[AutoExit]\nyes\n",
         [](const CSettings& s) { EXPECT_EQ(s.AutoExit, 0); }},
        {"no digits leaves a value that differs from 0", "[Minimize]\nno\n[Position]\nleft : 5\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Minimize, 1);
             EXPECT_EQ(s.Position.x, 77);
             EXPECT_EQ(s.Position.y, 88);
         }},
        {"without the colon only x", "[Position]\n12 34\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Position.x, 12);
             EXPECT_EQ(s.Position.y, 88);
         }},
        {"numbers beyond int stop at its limits",
         "[LimitMinite]\n99999999999\n[Position]\n-99999999999 : 0\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.LimitMinite, INT_MAX);
             EXPECT_EQ(s.Position.x, INT_MIN);
             EXPECT_EQ(s.Position.y, 0);
         }},
        {"a later section wins, order is free", "[HistoryMode]\n1\n[SUBST]\n/a b\n[HistoryMode]\n0\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.HistoryMode, 0);
             EXPECT_EQ(s.SUBST, "/a b");
         }},
        {"empty string values are kept empty", "[Filer]\n\n[SUBST]\n\n",
         [](const CSettings& s) {
             EXPECT_EQ(s.Filer, "");
             EXPECT_EQ(s.SUBST, "");
         }},
        {"CR LF line ends", "[Filer]\r\nC:\\Program Files\\Tool\\tool.exe\r\n",
         [](const CSettings& s) { EXPECT_EQ(s.Filer, "C:\\Program Files\\Tool\\tool.exe"); }},
        {"header without a value line", "[CD/DVD-ROM]\n",
         [](const CSettings& s) { EXPECT_EQ(s.CdDvdRom, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.file);
        CSettings start;
        start.Position = {77, 88};
        c.check(ReadFrom(c.file, start));
    }
}
