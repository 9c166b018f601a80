#include "platform/AtomicFile.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::vector<std::string> AllLines(const std::string& bytes, size_t maxChars)
{
    TextFileReader reader;
    reader.OpenBytes(bytes);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line, maxChars))
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(TextFileReader, LineEndsAndPieces)
{
    struct Case {
        const char* what;
        std::string bytes;
        size_t max;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF and LF both end lines", "a\r\nb\nc", 998, {"a\n", "b\n", "c"}},
        {"a lone CR ends a line too", "a\rb\r\rc", 998, {"a\n", "b\n", "\n", "c"}},
        {"CRs just before LF are one line end", "a\r\r\nb\r", 998, {"a\n", "b\n"}},
        {"a line that fits keeps its newline", "abc\n", 4, {"abc\n"}},
        {"one byte longer arrives in two pieces", "abcd\n", 4, {"abcd", "\n"}},
        {"longer lines are cut every max bytes", "abcdefghij\n", 4, {"abcd", "efgh", "ij\n"}},
        {"empty file", "", 998, {}},
        {"code page 932 is decoded", "\x83\x5E\x83\x43\r\n", 998, {"タイ\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AllLines(c.bytes, c.max), c.lines);
    }
}

TEST(TextFileReader, MissingFileReportsErrno)
{
    TempDir dir;
    TextFileReader reader;
    EXPECT_EQ(reader.Open(dir / "missing"), ENOENT);
}

TEST(TextFileWriter, WritesCp932WithCrLf)
{
    TempDir dir;
    TextFileWriter writer;
    writer.Line("[GroupList]");
    writer.Line("タイ");
    writer.Line("");
    ASSERT_TRUE(writer.Save(dir / "f").Ok());
    EXPECT_EQ(TempDir::ReadBytes(dir / "f"), "[GroupList]\r\n\x83\x5E\x83\x43\r\n\r\n");
}

TEST(TextFileWriter, UnmappableTextWritesNothing)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "f", "old");
    TextFileWriter writer;
    writer.Line("\U0001F3AE");
    TextFileWriter::Result result = writer.Save(dir / "f");
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.unmappable, "\U0001F3AE");
    EXPECT_EQ(TempDir::ReadBytes(dir / "f"), "old");
}

TEST(AtomicFile, ReplacesContentAndKeepsMode)
{
    TempDir dir;
    std::string path = dir / "settings";
    TempDir::WriteBytes(path, "old content");
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(AtomicFile::Replace(path, "new"), 0);
    EXPECT_EQ(TempDir::ReadBytes(path), "new");
    struct stat st{};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(AtomicFile, FailureLeavesOldFileAndNoTemporary)
{
    TempDir dir;
    std::string folder = dir / "ro";
    ::mkdir(folder.c_str(), 0755);
    std::string path = folder + "/f";
    TempDir::WriteBytes(path, "old");
    ::chmod(folder.c_str(), 0555);
    int err = AtomicFile::Replace(path, "new");
    ::chmod(folder.c_str(), 0755);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the full-disk test covers this";
    EXPECT_EQ(err, EACCES);
    EXPECT_EQ(TempDir::ReadBytes(path), "old");
}

TEST(AtomicFile, HoldsAnswersOnlyForARegularFileWithTheSameBytes)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "f", "abc");
    ::mkdir((dir / "folder").c_str(), 0755);
    EXPECT_TRUE(AtomicFile::Holds(dir / "f", "abc"));
    EXPECT_FALSE(AtomicFile::Holds(dir / "f", "abd"));
    EXPECT_FALSE(AtomicFile::Holds(dir / "f", "abcd"));
    EXPECT_FALSE(AtomicFile::Holds(dir / "missing", ""));
    EXPECT_FALSE(AtomicFile::Holds(dir / "folder", ""));
}
