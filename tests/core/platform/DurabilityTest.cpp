#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "support/RecordingFileSyscalls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

// The data reaches the disk before a rewrite takes the old file's place (and the new name
// after it), and before an append is reported done.
TEST(Durability, DataIsSyncedBeforeItCounts)
{
    struct Case {
        const char* what;
        std::function<int(const std::string&)> write;
        std::vector<std::string> calls;
    } cases[] = {
        {"rewrite",
         [](const std::string& path) { return AtomicFile::Replace(path, "new"); },
         {"datasync", "rename", "syncfolder"}},
        {"append",
         [](const std::string& path) { return RegularFile::AppendDurably(path, "new").error; },
         {"datasync"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        TempDir::WriteBytes(dir / "file", "old");
        RecordingFileSyscalls calls;

        EXPECT_EQ(c.write(dir / "file"), 0);

        EXPECT_EQ(calls.calls, c.calls);
    }
}
