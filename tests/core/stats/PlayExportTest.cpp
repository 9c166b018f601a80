#include "stats/PlayExport.h"
#include "stats/ExportText.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include "StatsTestUtil.h"
#include "platform/LocalZone.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

TEST(PlayExport, CsvFieldsAreQuotedOnlyWhenTheyMustBe)
{
    struct Case {
        const char* field;
        const char* written;
    } cases[] = {
        {"北の王国", "北の王国"},
        {"①㈱Ⅲ髙", "①㈱Ⅲ髙"},
        {"竜の伝説, III", "\"竜の伝説, III\""},
        {"\"名作\"", "\"\"\"名作\"\"\""},
        {"一行目\r\n二行目", "\"一行目\r\n二行目\""},
        {"a\nb", "\"a\nb\""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        std::string out;
        ExportText::AppendCsvField(out, c.field);
        EXPECT_EQ(out, c.written);
    }
}

TEST(PlayExport, StartsCarryTheirUtcOffset)
{
    struct Case {
        const char* start;
        int offset;
        const char* written;
    } cases[] = {
        {"2009/03/07,21:05:09", 9 * 3600, "2009-03-07T21:05:09+09:00"},
        {"2009/03/08,03:30:00", -4 * 3600, "2009-03-08T03:30:00-04:00"},
        {"2009/12/31,23:59:59", 5 * 3600 + 1800, "2009-12-31T23:59:59+05:30"},
        {"2010/01/01,00:00:00", -(3 * 3600 + 1800), "2010-01-01T00:00:00-03:30"},
        {"2008/02/29,12:00:00", 0, "2008-02-29T12:00:00+00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        std::string out;
        ExportText::AppendIsoTime(out, At(c.start, 0).start, c.offset);
        EXPECT_EQ(out, c.written);
    }
}

// The parsed document as "genre{title|path:start=seconds,...;...}" with starts to the second,
// "!" after the path of a title whose log could not be read.
std::string Flat(const QJsonDocument& doc)
{
    auto text = [](const QJsonValue& value) { return value.toString().toStdString(); };
    std::string out;
    for (const QJsonValue& genre : doc[u"genres"].toArray()) {
        out += text(genre[u"name"]) + "{";
        for (const QJsonValue& title : genre[u"titles"].toArray()) {
            out += text(title[u"name"]) + "|" + text(title[u"path"]) + (title[u"unreadable"].toBool() ? "!" : "") +
                   ":";
            for (const QJsonValue& play : title[u"plays"].toArray())
                out +=
                    text(play[u"start"]).substr(0, 19) + "=" + std::to_string(play[u"seconds"].toInt()) + ",";
            out += ";";
        }
        out += "}";
    }
    return out;
}

TEST(PlayExport, JsonReadsBackThroughAJsonParser)
{
    TempDir dir;
    const std::string quoted = "引用 \"符\" と \\ 記号", control = "制御\x01文字\tタブ", nec = "①㈱Ⅲ, 髙";
    LibraryShape library;
    library.genres.push_back({quoted, {{control, "/opt/ゲーム/\"a\".exe", dir / "a.Log"}}});
    library.genres.push_back({nec, {{nec, "", dir / "b.Log"}}});
    library.genres.push_back({"空", {}});
    library.genres.push_back({"読めない", {{"c", "", dir / "c.Log"}}});
    TempDir::WriteBytes(dir / "a.Log", "2009/03/07,21:05:09\r\n3723\r\n2009/03/08,10:00:00\r\n60\r\n");
    TempDir::WriteBytes(dir / "b.Log", "");
    std::filesystem::create_directory(dir / "c.Log");
    PlayLogCache cache;
    LogReadPass pass(cache);
    LocalZone zone;

    QJsonParseError error{};
    QByteArray bytes = QByteArray::fromStdString(PlayExport::Json(library, pass, zone));
    QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(Flat(doc), quoted + "{" + control +
                             "|/opt/ゲーム/\"a\".exe:2009-03-07T21:05:09=3723,2009-03-08T10:00:00=60,;}" +
                             nec + "{" + nec + "|:;}空{}読めない{c|!:;}");
}

TEST(PlayExport, AFailedWriteLeavesNoFileAndSaysSo)
{
    TempDir dir;
    ScriptedMessenger messenger;
    LibraryShape library;
    library.genres.push_back({"RPG", {{"t", "", dir / "t.Log"}}});
    TempDir::WriteBytes(dir / "t.Log", "2009/03/07,21:05:09\r\n3723\r\n");
    PlayLogCache cache;
    // The target is a folder: the finished temporary file cannot take its place.
    const std::string target = dir / "out.csv";
    std::filesystem::create_directory(target);
    EXPECT_NE(PlayExport::Run(target, PlayExport::Format::Csv, library, cache), 0);
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_NE(messenger.messages[0].find(target), std::string::npos);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);  // the log alone

    messenger.Clear();
    const std::string good = dir / "plays.json";
    EXPECT_EQ(PlayExport::Run(good, PlayExport::FormatFor(good, PlayExport::Format::Csv), library, cache), 0);
    EXPECT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(TempDir::ReadBytes(good).front(), '{');
}

TEST(PlayExport, AnotherUsersLinkInASharedFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    TempDir dir;
    ScriptedMessenger messenger;
    LibraryShape library;
    PlayLogCache cache;
    const uid_t other = 65534;
    struct Case {
        const char* what;
        std::filesystem::perms folder;
        uid_t owner;
        bool written;
    } cases[] = {
        {"another user's link in a sticky folder anyone may write to", std::filesystem::perms(01777), other, false},
        {"our own link there", std::filesystem::perms(01777), ::geteuid(), true},
        {"another user's link in a folder that is not sticky", std::filesystem::perms(0777), other, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string shared = dir / "shared", target = dir / "target.csv", link = shared + "/plays.csv";
        std::filesystem::remove_all(shared);
        std::filesystem::create_directory(shared);
        std::filesystem::permissions(shared, c.folder);
        TempDir::WriteBytes(target, "theirs");
        std::filesystem::create_symlink(target, link);
        ASSERT_EQ(::lchown(link.c_str(), c.owner, c.owner), 0);
        messenger.Clear();
        EXPECT_EQ(PlayExport::Run(link, PlayExport::Format::Csv, library, cache) == 0, c.written);
        EXPECT_EQ(TempDir::ReadBytes(target) != "theirs", c.written);
        ASSERT_EQ(messenger.messages.size(), 1u);
        EXPECT_EQ(messenger.messages[0].find(link) != std::string::npos, true);
    }
}
