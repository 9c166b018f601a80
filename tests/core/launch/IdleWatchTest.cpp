// The time a timed play was left alone: readings at each beat and at the play's end,
// stretches counted once they reach the threshold.
#include "launch/CPlayJournal.h"
#include "launch/IdleWatch.h"
#include "support/FakeClock.h"
#include "support/FakeIdleSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Row {
    const char* name;
    int thresholdMinutes;
    int playSeconds;
    std::vector<int> keys;         // seconds of the play with a key press, the first before the play
    std::vector<int> controller;   // seconds of the play with a controller event
    int idleSeconds;               // expected
    bool available = true;         // the desktop has an idle counter
    bool keysAfterTheReading = false;  // a key on a beat's second comes just after its reading
};

bool Has(const std::vector<int>& seconds, int second)
{
    return std::find(seconds.begin(), seconds.end(), second) != seconds.end();
}

}  // namespace

TEST(IdleWatch, CountsTheStretchesThatReachTheThreshold)
{
    const int beat = CPlayJournal::kBeatMs / 1000;
    const Row rows[] = {
        {"no input: all of the play, none of the time before it", 1, 300, {-3000}, {}, 300},
        {"a key every half minute", 1, 300, {-5, 30, 60, 90, 120, 150, 180, 210, 240, 270}, {}, 0},
        {"one long stretch, ended at the beat before the next key", 5, 1800, {-5, 100, 200, 1510}, {}, 1300},
        {"several short ones do not add up", 2, 600, {-5, 100, 200, 300, 400, 500}, {}, 0},
        {"two long ones are summed", 1, 600, {-5, 150, 400}, {}, 120 + 210 + 200},
        {"a stretch across the play's end counts to the end", 1, 150, {-5, 40}, {}, 110},
        {"a controller in use while the keyboard rests", 1, 300, {-3000}, {30, 90, 150, 210, 270}, 0},
        {"the controller set down for good", 1, 400, {-3000}, {30}, 340},
        {"off", 0, 300, {-3000}, {}, 0},
        {"no idle counter on this desktop", 1, 300, {-3000}, {}, 0, false},
        {"a stretch of exactly the threshold counts", 1, 180, {-5, 90, 150}, {}, 60},
        {"a key on the millisecond of the reading before ends one stretch and starts the next", 1, 300,
         {-3000, 120}, {}, 120 + 180, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeClock clock;
        FakeIdleSource source(clock);
        source.available = row.available;
        const std::int64_t start = clock.monotonicMs;
        source.lastInputMs = start + std::int64_t{row.keys.front()} * 1000;
        IdleWatch watch(row.thresholdMinutes);
        watch.Begin(start);
        for (int second = 1; second <= row.playSeconds; ++second) {
            clock.Advance(1);
            const bool key = Has(row.keys, second);
            if (key && !row.keysAfterTheReading)
                source.lastInputMs = clock.monotonicMs;
            source.controller = source.controller || Has(row.controller, second);
            if (second % beat == 0 && second < row.playSeconds)
                watch.Sample();
            if (key && row.keysAfterTheReading)
                source.lastInputMs = clock.monotonicMs;
        }
        EXPECT_EQ(watch.End(), row.idleSeconds);
        EXPECT_EQ(watch.End(), row.idleSeconds) << "the total stays after the end";
        EXPECT_EQ(source.closes, row.available && row.thresholdMinutes > 0 ? 1 : 0);
    }
}
