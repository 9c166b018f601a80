#include "platform/FileLock.h"
#include "support/RecordingFileSyscalls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <utility>

using Claim = FileLock::Claim;

TEST(FileLock, TheNameLeadsToAHeldFileUntilRemoved)
{
    TempDir dir;
    const std::string path = dir / "play.journal";
    FileLock writer;
    FileLock other;
    std::string bytes;
    int error = 0;
    for (const char* text : {"first\n", "second\n"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(writer.Replace(path, text), 0);
        EXPECT_EQ(TempDir::ReadBytes(path), text);
        EXPECT_EQ(other.TryClaim(path, bytes, error), Claim::HeldElsewhere);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";

    writer.Release();
    ASSERT_EQ(other.TryClaim(path, bytes, error), Claim::Claimed);
    EXPECT_EQ(bytes, "second\n");
    EXPECT_EQ(writer.TryClaim(path, bytes, error), Claim::HeldElsewhere) << "the claim holds it";
    EXPECT_EQ(other.Remove(path), 0);
    EXPECT_FALSE(other.Held());
    EXPECT_EQ(writer.TryClaim(path, bytes, error), Claim::Absent);

    // A link at the name is refused, leading to a file or nowhere yet: nothing is written there.
    for (bool target : {true, false}) {
        SCOPED_TRACE(target ? "a link to a file" : "a link that leads nowhere yet");
        std::filesystem::remove(path);
        std::filesystem::remove(dir / "elsewhere");
        if (target)
            TempDir::WriteBytes(dir / "elsewhere", "theirs");
        std::filesystem::create_symlink(dir / "elsewhere", path);
        EXPECT_EQ(writer.Replace(path, "third\n"), ELOOP);
        EXPECT_FALSE(writer.Held());
        EXPECT_EQ(std::filesystem::exists(dir / "elsewhere"), target);
        EXPECT_EQ(TempDir::ReadBytes(dir / "elsewhere"), target ? "theirs" : "");
    }
}

// Only a regular file of modest size is claimed, never through a link. A file system that
// gives no locks is no other holder: the file is claimed without one. A file replaced
// between the open and the lock is not the one whose holder was asked: the claim takes
// the file the name leads to.
TEST(FileLock, ClaimsOnlyRegularFilesOfModestSizeAtTheirNameOnceLocked)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    TempDir::WriteBytes(dir / "target", "x");
    std::filesystem::create_symlink(dir / "target", dir / "link");
    TempDir::WriteBytes(dir / "large", std::string(FileLock::kMaxBytes + 1, 'x'));
    TempDir::WriteBytes(dir / "small", std::string(FileLock::kMaxBytes, 'x'));
    TempDir::WriteBytes(dir / "replaced", "old");
    FileLock replacement;
    const struct {
        const char* name;
        Claim claim;
        std::string bytes = {};
        std::function<int()> atLock = nullptr;  // what happens as the lock is asked for, and its errno
    } rows[] = {
        {"missing", Claim::Absent},
        {"folder", Claim::Failed},
        {"link", Claim::Failed},
        {"large", Claim::Failed},
        {"small", Claim::Claimed, std::string(FileLock::kMaxBytes, 'x')},
        {"small", Claim::Claimed, std::string(FileLock::kMaxBytes, 'x'), [] { return ENOLCK; }},
        {"replaced", Claim::Claimed, "new", [&] {
             // Written as a journal is rewritten, by a holder that then lets it go.
             EXPECT_EQ(replacement.Replace(dir / "replaced", "new"), 0);
             replacement.Release();
             return 0;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingFileSyscalls calls;
        bool asked = false;
        calls.refuse = [&](const std::string& call, const std::string&) {
            return call == "lock" && row.atLock && !std::exchange(asked, true) ? row.atLock() : 0;
        };
        FileLock lock;
        std::string bytes;
        int error = 0;
        EXPECT_EQ(lock.TryClaim(dir / row.name, bytes, error), row.claim);
        EXPECT_EQ(lock.Held(), row.claim == Claim::Claimed);
        EXPECT_EQ(error != 0, row.claim == Claim::Failed) << error;
        if (row.claim == Claim::Claimed) {
            EXPECT_EQ(bytes, row.bytes);
        }
    }
}
