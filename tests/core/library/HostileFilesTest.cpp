// Files that are not what their names say, in the library's place: each is reported once,
// the library works with what it could read, and nothing during the run replaces it.
#include "support/HostileFiles.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

// A program folder whose genre "G" has one title and "H" two.
void BuildTwoGenres(ProgramFolder& folder)
{
    folder.Build([](CZarn2Doc& library) {
        ProgramFolder::AddGenre(library, "G", 1);
        ProgramFolder::AddGenre(library, "H", 2);
    });
}

// Puts the hostile file where `path` was, made from the text that was there.
void Replace(const HostileFile& hostile, const std::string& path)
{
    std::string text = TempDir::ReadBytes(path);
    std::filesystem::remove(path);
    hostile.Put(path, text);
}

}  // namespace

// Text without a list section is an empty list, written as any other.
TEST(HostileFiles, AGenreListThatIsNoneIsReportedOnceAndNeverWrittenOver)
{
    for (const HostileFile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.what);
        ProgramFolder folder;
        BuildTwoGenres(folder);
        Replace(hostile, folder.ListPath());
        std::string before = Fingerprint(folder.ListPath());
        CZarn2Doc& library = folder.LoadDoc();
        EXPECT_EQ(folder.TakeMessages().size(), hostile.sectionless ? 0u : 1u);
        EXPECT_EQ(library.AddGroup("New", 0).reason, hostile.sectionless ? Refusal::None : Refusal::Unreadable);
        library.OnCloseDocument();
        EXPECT_EQ(Fingerprint(folder.ListPath()) == before, !hostile.sectionless);
    }
}

TEST(HostileFiles, AGenreFileThatIsNoneIsReportedOnceNeverWrittenOverAndTheRestLoads)
{
    for (const HostileFile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.what);
        ProgramFolder folder;
        BuildTwoGenres(folder);
        std::string file = folder.Data("G.Zarn");
        Replace(hostile, file);
        std::string before = Fingerprint(file);
        CZarn2Doc& library = folder.LoadDoc();
        EXPECT_EQ(folder.TakeMessages().size(), 1u);
        EXPECT_EQ(library.m_Group[1].m_nMemberCount, 2) << "the other genre loads";
        library.SetCurrGroup(0);
        library.SaveGroupList();  // what a click on the genre does
        EXPECT_EQ(library.AddMember("T", "/g/t", "", 1, 0).reason, Refusal::Unreadable);
        library.OnCloseDocument();
        EXPECT_EQ(Fingerprint(file), before);
    }
}

TEST(HostileFiles, NamesWithUndecodableBytesAreLeftOutWithAMessageNeverWrittenChanged)
{
    ProgramFolder folder;
    TempDir::WriteBytes(folder.ListPath(), "[GroupList]\r\nA\x80Z\r\nG\r\n\r\n");
    std::filesystem::create_directory(folder.Data("G"));
    TempDir::WriteBytes(folder.Data("G.Zarn"), "[Title000]\r\nT\x80X\r\n\r\n\r\n1\r\n0\r\n\r\n"
                                               "[Title001]\r\nU\r\n\r\n\r\n1\r\n0\r\n\r\n");
    folder.LoadDoc().OnCloseDocument();
    EXPECT_EQ(folder.TakeMessages().size(), 2u) << "one for each file";
    EXPECT_EQ(folder.GroupNames(), std::vector<std::string>{"G"});
    EXPECT_EQ((folder.ListFile() + TempDir::ReadBytes(folder.Data("G.Zarn"))).find('?'), std::string::npos);
}
