#pragma once

#include <cstdint>
#include <unordered_map>

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

    // Days (local or UTC) with their offset, or kVaries; the last one asked for is kept
    // apart, since plays come in runs on the same day.
    struct DayMemo {
        std::unordered_map<std::int64_t, int> days;
        std::int64_t lastDay = INT64_MIN;
        int lastOffset = 0;
    };
    template <class Ask>
    static int Lookup(DayMemo& memo, std::int64_t seconds, Ask ask);

    DayMemo m_local;
    DayMemo m_instant;
};
