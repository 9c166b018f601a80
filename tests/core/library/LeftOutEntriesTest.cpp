// A data file whose load left entries out is kept beside it, as it was, before the first
// rewrite would drop them.
#include "support/ProgramFolder.h"
#include "support/RecordingFileSyscalls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace {

std::string GenreFile(int titles, bool repeatFirst = false)
{
    std::string text = "[PlayMode]\r\n0\r\n\r\n[CurrMember]\r\n0\r\n\r\n";
    for (int i = 0; i < titles; ++i) {
        std::string name = repeatFirst && i > 0 ? "T0" : "T" + std::to_string(i);
        text += "[Title000]\r\n" + name + "\r\n/usr/bin/true\r\n\r\n1\r\n0\r\n\r\n";
    }
    return text;
}

std::string List(int genres, const std::string& extra = "")
{
    std::string text = "[GroupList]\r\n";
    for (int i = 0; i < genres; ++i)
        text += (i ? "G" + std::to_string(i) : std::string("A")) + "\r\n";
    return text + extra + "\r\n[CurrGroup]\r\n0\r\n\r\n";
}

int Copies(const std::string& folder)
{
    int n = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        n += entry.path().extension() == ".bak";
    return n;
}

}  // namespace

TEST(LeftOutEntries, TheFileIsKeptAsItWasBeforeItsFirstRewrite)
{
    struct Case {
        const char* what;
        std::string file;  // relative to the program folder
        std::string bytes;
        std::string copy;      // the copy expected beside it; empty: none
        const char* existing;  // a copy already there, left alone
    } cases[] = {
        {"a repeated title", "Zarn/A.Zarn", GenreFile(3, true), "Zarn/A.Zarn.bak", nullptr},
        {"129 titles", "Zarn/A.Zarn", GenreFile(129), "Zarn/A.Zarn.bak", nullptr},
        {"a genre name that is no safe path", "Zarn2.Grp", List(1, "../x\r\n"), "Zarn2.Grp.bak", nullptr},
        {"33 genres", "Zarn2.Grp", List(33), "Zarn2.Grp.bak", nullptr},
        {"the settings file standing in for the list", "Zarn2.ini", List(1, "A\r\n"), "Zarn2.ini.bak",
         nullptr},
        {"a copy already there", "Zarn/A.Zarn", GenreFile(2, true), "Zarn/A.Zarn.2.bak", "Zarn/A.Zarn.bak"},
        {"nothing left out", "Zarn/A.Zarn", GenreFile(2), "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        if (c.file != "Zarn2.ini")
            TempDir::WriteBytes(folder.ListPath(), List(1));
        if (c.file != "Zarn/A.Zarn")
            TempDir::WriteBytes(folder.Data("A.Zarn"), GenreFile(1));
        TempDir::WriteBytes(folder.dir / c.file, c.bytes);
        if (c.existing)
            TempDir::WriteBytes(folder.dir / c.existing, "earlier");

        folder.LoadDoc();
        std::string told;
        for (const std::string& message : folder.TakeMessages())
            told += message;
        folder.doc->OnCloseDocument();

        if (c.copy.empty()) {
            EXPECT_EQ(Copies(folder.dir.Path()), 0);
            continue;
        }
        std::string copyName = std::filesystem::path(c.copy).filename();
        EXPECT_NE(told.find(copyName), std::string::npos) << told;
        EXPECT_EQ(TempDir::ReadBytes(folder.dir / c.copy), c.bytes);
        if (c.existing) {
            EXPECT_EQ(TempDir::ReadBytes(folder.dir / c.existing), "earlier");
        }
        // Once rewritten, the file holds only what was loaded: no second copy is made.
        folder.LoadDoc();
        folder.doc->OnCloseDocument();
        EXPECT_EQ(Copies(folder.dir.Path()), c.existing ? 2 : 1);
    }
}

TEST(LeftOutEntries, AFileWhoseCopyCannotBeMadeIsNotRewritten)
{
    ProgramFolder folder;
    const std::string genre = GenreFile(2, true);
    TempDir::WriteBytes(folder.Data("A.Zarn"), genre);
    auto group = folder.NewGroup();
    group->SetName("A");
    ASSERT_EQ(group->Load(), 1);
    folder.TakeMessages();
    {
        RecordingFileSyscalls calls;  // the copy's sync fails, as on a disk gone bad for a moment
        bool failed = false;
        calls.refuse = [&failed](const std::string& call, const std::string&) {
            return call == "datasync" && !failed ? (failed = true, EIO) : 0;
        };
        EXPECT_EQ(group->Save(), -1);
    }
    EXPECT_EQ(TempDir::ReadBytes(folder.Data("A.Zarn")), genre);
    EXPECT_EQ(Copies(folder.dir.Path()), 0);
    EXPECT_EQ(folder.TakeMessages().size(), 1u);
}
