#include "launch/PlayJournalCheck.h"

#include "launch/CPlayJournal.h"
#include "platform/LocalZone.h"

#include <algorithm>
#include <climits>

namespace {

// The local wall-clock seconds of 2008-01-01 00:00:00 counted from 1970-01-01 00:00:00, as
// LocalZone counts them; the stamps count from the former.
constexpr std::int64_t kStampEpoch = 1199145600;
constexpr std::int64_t kDay = 86400;

// The earliest and the latest moment in UTC a local time can be: the same one, except near
// a change of the zone's offset, where the offsets of the days around are all allowed.
struct Moments {
    std::int64_t earliest = 0;
    std::int64_t latest = 0;
};

Moments InUtc(LocalZone& zone, std::int64_t stamp)
{
    const std::int64_t local = stamp + kStampEpoch;
    const int offsets[] = {zone.OffsetAt(local - kDay), zone.OffsetAt(local), zone.OffsetAt(local + kDay)};
    const auto [least, most] = std::minmax_element(std::begin(offsets), std::end(offsets));
    return {local - *most, local - *least};
}

int StampOf(const LocalDateTime& now)
{
    CPlayTime moment;
    moment.SetMoment(now);
    return moment.StampOfFields();
}

}  // namespace

namespace PlayJournalCheck {

bool Believable(const PlayJournalEntry& entry, std::int64_t modifiedUtc, const LocalDateTime& now)
{
    const int stamp = entry.start.m_nStamp;
    if (stamp < 0 || stamp == INT_MAX || entry.seconds < 0)
        return false;  // before 2008, or beyond what a stamp holds
    if (entry.idleSeconds > std::int64_t{entry.seconds} + kSlackSeconds)
        return false;  // more time left alone than was played
    LocalZone zone;
    const Moments start = InUtc(zone, stamp);
    const Moments current = InUtc(zone, StampOf(now));
    if (start.earliest > current.latest + kSlackSeconds || modifiedUtc > current.latest + kSlackSeconds)
        return false;
    const std::int64_t played = modifiedUtc - start.earliest;
    return entry.seconds <= played + CPlayJournal::kBeatMs / 1000 + kSlackSeconds;
}

}  // namespace PlayJournalCheck
