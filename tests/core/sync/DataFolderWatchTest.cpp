// The watch on the library's folders, on the kernel's inotify: a genre folder that is not
// there when the watch is set, or that goes and comes back, is watched once it is there.
#include "sync/DataFolderWatch.h"
#include "platform/InotifyFolderWatch.h"
#include "support/ProgramFolder.h"
#include "support/QtCoreEnvironment.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace {

[[maybe_unused]] ::testing::Environment* const g_qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

// Whether `watch` delivers changes that `wanted` accepts within three seconds.
bool Delivers(DataFolderWatch& watch, const std::function<bool(const DataFolderChanges&)>& wanted)
{
    QEventLoop loop;
    bool seen = false;
    QObject::connect(&watch, &DataFolderWatch::Changed, &loop, [&](const DataFolderChanges& changes) {
        if (wanted(changes)) {
            seen = true;
            loop.quit();
        }
    });
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    return seen;
}

}  // namespace

TEST(DataFolderWatch, AGenreFolderIsWatchedOnceItIsThere)
{
    struct Row {
        const char* what;
        std::function<void(ProgramFolder&)> beforeTheWatch;
        std::function<void(ProgramFolder&)> afterIt;  // the folder arrives, with the log
    } rows[] = {
        {"a folder the sync tool brings after the genre's list and file",
         [](ProgramFolder& f) { std::filesystem::rename(f.Data("N"), f.dir / "N.away"); },
         [](ProgramFolder& f) { std::filesystem::rename(f.dir / "N.away", f.Data("N")); }},
        {"a folder removed and made again",
         [](ProgramFolder&) {},
         [](ProgramFolder& f) {
             std::filesystem::remove_all(f.Data("N"));
             std::filesystem::create_directory(f.Data("N"));
             TempDir::WriteBytes(f.LogPath("N", "N-0"), "");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ProgramFolder f;
        f.Build([](CZarn2Doc& library) {
            ProgramFolder::AddGenre(library, "A", 1);
            ProgramFolder::AddGenre(library, "N", 1);
        });
        row.beforeTheWatch(f);
        CZarn2Doc& doc = f.LoadDoc();
        DataFolderWatch watch(std::make_unique<InotifyFolderWatch>());
        watch.Follow(doc);
        row.afterIt(f);
        EXPECT_TRUE(Delivers(watch, [&](const DataFolderChanges& changes) {
            return changes.TouchesIn(f.Data("N"), ".Log");
        })) << "what came with the folder";
        const std::string log = f.LogPath("N", "N-0");
        TempDir::WriteBytes(log, "2009/03/07,21:05:09\r\n42\r\n");
        EXPECT_TRUE(Delivers(watch, [&](const DataFolderChanges& changes) { return changes.paths.count(log) > 0; }))
            << "a play logged there later";
    }
}
