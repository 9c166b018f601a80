#include "platform/AtomicFile.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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
        {"a lone CR is part of its line, as on Windows", "a\rb\r\rc\n", 998, {"a\rb\r\rc\n"}},
        {"CRs just before LF, or at the end, belong to the line end", "a\r\r\nb\r", 998, {"a\n", "b"}},
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

TEST(TextFileReader, OpensRegularFilesOfTheirSizeOnlyAndNeverWaits)
{
    TempDir dir;
    TempDir::WriteBytes(dir / "full", std::string(100, 'x'));
    TempDir::WriteBytes(dir / "over", std::string(101, 'x'));
    ::symlink("full", (dir / "link").c_str());
    ::symlink("/dev/zero", (dir / "zero").c_str());
    ::mkfifo((dir / "fifo").c_str(), 0644);
    ::mkdir((dir / "folder").c_str(), 0755);
    struct Case {
        const char* name;
        int error;
    } cases[] = {
        {"full", 0}, {"link", 0},          {"over", EFBIG},  {"missing", ENOENT},
        {"zero", EINVAL}, {"fifo", EINVAL}, {"folder", EISDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextFileReader reader;
        EXPECT_EQ(reader.Open(dir / c.name, 100), c.error);
        EXPECT_EQ(reader.AtEnd(), c.error != 0);
    }
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

TEST(AtomicFile, ReplacesWhatALinkLeadsToAndNothingButARegularFile)
{
    TempDir dir;
    TempDir dotfiles;
    TempDir::WriteBytes(dotfiles / "settings", "old");
    ::mkfifo((dir / "fifo").c_str(), 0644);
    struct Case {
        const char* what;
        std::string link;    // what the link "f" leads to
        std::string target;  // the file that gets the new bytes; none when refused
        int error;
    } cases[] = {
        {"another folder", dotfiles / "settings", dotfiles / "settings", 0},
        {"a relative link to a link", "chain", dir / "h", 0},
        {"a link that leads nowhere yet", dotfiles / "new", dotfiles / "new", 0},
        {"a named pipe", "fifo", "", EINVAL},
        {"itself", "f", "", ELOOP},
    };
    ::symlink("h", (dir / "chain").c_str());
    TempDir::WriteBytes(dir / "h", "old");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir / "f");
        ASSERT_EQ(::symlink(c.link.c_str(), (dir / "f").c_str()), 0);
        EXPECT_EQ(AtomicFile::Replace(dir / "f", "new"), c.error);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "f"));
        if (!c.target.empty()) {
            EXPECT_EQ(TempDir::ReadBytes(c.target), "new");
        }
    }
    EXPECT_EQ(std::filesystem::status(dir / "fifo").type(), std::filesystem::file_type::fifo);
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
