#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

// The UTC offset the machine's time zone (TZ, else the system's zone) had, at moments given
// as local wall-clock times or as instants. A local time counts seconds from 1970-01-01
// 00:00:00 as a calendar that knows no zone would (days × 86400 + second of the day); an
// instant counts seconds from 1970-01-01 00:00:00 UTC.
//
// A local time the zone shows twice (the hour repeated when the clock is set back) is read
// as the first of the two, before the change; one it never shows (the hour skipped when the
// clock is set forward) is read with the offset before the change. The C library's mktime
// cannot be asked for this: with tm_isdst = -1 its choice in the repeated hour follows the
// offset of whatever it converted before.
//
// Days without a change of offset are looked up once and remembered; on a day with a
// change every moment is asked for.
class LocalZone {
public:
    // Seconds east of UTC that the local time is read with.
    int OffsetAt(std::int64_t localSeconds);
    // Seconds east of UTC at the instant.
    int OffsetAtInstant(std::int64_t utcSeconds);
    // The instant of a local time.
    std::int64_t InstantOf(std::int64_t localSeconds) { return localSeconds - OffsetAt(localSeconds); }

private:
    static constexpr int kVaries = 1 << 30;  // a day whose offset changes

    // Days (local or UTC) with their offset, or kVaries: a table by day near the first day
    // asked for (the years of a library's logs), a map for days far from it.
    struct DayMemo {
        static constexpr std::int64_t kNear = 1 << 14;  // days either side (about 45 years)
        static constexpr int kUnknown = kVaries + 1;
        std::int64_t base = 0;
        std::vector<int> near;  // by day - base + kNear, once the first day is known
        std::unordered_map<std::int64_t, int> far;
        int* Slot(std::int64_t day);
    };
    template <class Ask>
    static int Lookup(DayMemo& memo, std::int64_t seconds, Ask ask);

    DayMemo m_local;
    DayMemo m_instant;
};
