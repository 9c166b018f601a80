#include "stats/ChartFigures.h"
#include "stats/PlayLogCache.h"

#include "support/FakeClock.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <functional>

// Figures keep their version, and are not worked out again, until what they are drawn from
// changed: a log, the library's titles, the current title.
TEST(ChartFigures, NewVersionsOnlyWhenWhatTheyShowChanged)
{
    ProgramFolder lib;
    FakeClock clock;
    CZarn2Doc& doc = lib.LoadDoc();
    lib.AddGenre("A", 2);
    lib.WriteLog("A", "A-0", {{"2009/03/05,10:00:00", 600}});
    lib.WriteLog("A", "A-1", {{"2009/03/06,23:30:00", 7200}});
    PlayLogCache cache;
    ChartFigures figures(doc, cache);
    struct Versions {
        std::uint64_t ranking, hours, cumulative;
    };
    auto versions = [&figures] {
        figures.Update();
        return Versions{figures.Ranking(true).version, figures.Hours(true).version, figures.Cumulative().version};
    };
    struct Step {
        const char* what;
        std::function<void()> change;
        bool library;  // new figures of the whole library
        bool title;    // new figures of the current title
        std::size_t fileReads;
    } steps[] = {
        {"nothing changed", [] {}, false, false, 2},
        {"another title made current", [&] { doc.SetCurrMember(0); }, false, true, 2},
        {"a play of another title", [&] { lib.WriteLog("A", "A-1", {{"2009/03/07,10:00:00", 60}}); }, true, true, 3},
        {"a title added", [&] { lib.AddGenre("B", 1); }, true, true, 4},
    };
    Versions before = versions();
    EXPECT_EQ(figures.Ranking(true).values.size(), 2u);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        Versions after = versions();
        EXPECT_EQ(after.ranking != before.ranking, step.library);
        EXPECT_EQ(after.hours != before.hours, step.library);
        EXPECT_EQ(after.cumulative != before.cumulative, step.title);
        EXPECT_EQ(cache.FileReads(), step.fileReads);
        before = after;
    }
    EXPECT_EQ(figures.Ranking(true).values.front().title, "A-0");
}
