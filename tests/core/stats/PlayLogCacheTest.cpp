#include "stats/PlayLogCache.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

const std::string kRecord = "2009/03/07,21:05:09\r\n3723\r\n";

}  // namespace

TEST(PlayLogCache, ARefreshReadsAgainOnlyChangedLogsAndDropsThoseOfNoTitle)
{
    TempDir dir;
    const std::string path = dir / "t.Log";
    TempDir::WriteBytes(path, kRecord);
    LibraryShape library;
    library.genres.push_back({"RPG", {{"t", "", path}}});
    PlayLogCache cache;
    auto touch = [&path](int seconds) {
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                                   std::chrono::seconds(seconds));
    };
    struct Step {
        const char* what;
        std::function<void()> change;
        std::size_t fileReads;
        std::int64_t total;
        bool newGeneration;
    } steps[] = {
        {"first read", [] {}, 1, 3723, false},
        {"unchanged", [] {}, 1, 3723, false},
        {"a play appended", [&] { TempDir::WriteBytes(path, kRecord + "2009/03/08,10:00:00\r\n60\r\n"); }, 2,
         3783, true},
        {"same size, new time",
         [&] {
             TempDir::WriteBytes(path, kRecord + "2009/03/08,10:00:00\r\n61\r\n");
             touch(5);
         },
         3, 3784, true},
        {"replaced by another file of the same size and time",
         [&] {
             auto time = std::filesystem::last_write_time(path);
             TempDir::WriteBytes(path + ".new", kRecord + "2009/03/08,10:00:00\r\n62\r\n");
             std::filesystem::last_write_time(path + ".new", time);
             std::filesystem::rename(path + ".new", path);
         },
         4, 3785, true},
        {"the title renamed: its old log is dropped and the new one read",
         [&] {
             std::filesystem::rename(path, dir / "u.Log");
             library.genres[0].titles[0] = {"u", "", dir / "u.Log"};
         },
         5, 3785, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        std::uint64_t generation = cache.Generation();
        cache.Refresh(library);
        const LogPlays& plays = cache.Read(library.genres[0].titles[0].log);
        EXPECT_EQ(plays.error, 0);
        EXPECT_EQ(plays.total, step.total);
        EXPECT_EQ(cache.FileReads(), step.fileReads);
        EXPECT_EQ(cache.Size(), 1u);
        EXPECT_EQ(cache.Generation() != generation, step.newGeneration);
    }
    std::filesystem::remove(dir / "u.Log");
    cache.Refresh(library);
    EXPECT_NE(cache.Read(dir / "u.Log").error, 0);
    EXPECT_TRUE(cache.Read(dir / "u.Log").plays.empty());
}

TEST(PlayLogCache, APassNamesEachUnreadableLogOnceAndCountsEachLogOnce)
{
    TempDir dir;
    LibraryGenre genre{"RPG", {{"good", "", dir / "good.Log"}, {"gone", "", dir / "gone.Log"}}};
    // Two whole records and a start line that lost its duration.
    TempDir::WriteBytes(dir / "good.Log", kRecord + "2009/03/08,10:00:00\r\n" + kRecord);
    PlayLogCache cache;
    LogReadPass pass(cache);
    for (int round = 0; round < 2; ++round)
        for (const LibraryTitle& title : genre.titles)
            pass.Read(genre, title);
    EXPECT_EQ(pass.Unreadable(), std::vector<std::string>{"RPG/gone.Log"});
    EXPECT_EQ(pass.Plays(), 2u);
    EXPECT_EQ(pass.Skipped(), 1u);
}
