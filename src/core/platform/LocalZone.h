#pragma once

#include <cstdint>
#include <unordered_map>

// The UTC offset the machine's time zone (TZ, else the system's zone) had at moments given
// as local wall-clock times. A local time counts seconds from 1970-01-01 00:00:00 as a
// calendar that knows no zone would (days × 86400 + second of the day).
//
// Days without a change of offset are looked up once and remembered; on a day with a
// change (a daylight-saving switch) every moment is asked for. A local time that the
// change skips or repeats gets one of the offsets around it.
class LocalZone {
public:
    // Seconds east of UTC.
    int OffsetAt(std::int64_t localSeconds);

private:
    static constexpr int kVaries = 1 << 30;  // a day whose offset changes
    std::unordered_map<std::int64_t, int> m_dayOffsets;
};
