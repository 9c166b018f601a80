#include "sync/CopySettling.h"

#include "platform/IClock.h"

#include <algorithm>
#include <chrono>

namespace {

// Whether the modification time lies at least the settling time in the past by the wall clock.
bool LongUnchanged(const FileStamp& stamp)
{
    using namespace std::chrono;
    const std::int64_t nowNs = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return nowNs - stamp.modifiedNs >= CopySettling::kSettleMs * 1000000;
}

}  // namespace

CopySettling& CopySettling::ThisRun()
{
    static CopySettling settling;
    return settling;
}

void CopySettling::BeginPass()
{
    for (auto& [path, sighting] : m_sightings)
        sighting.seen = false;
}

void CopySettling::EndPass()
{
    std::erase_if(m_sightings, [](const auto& entry) { return !entry.second.seen; });
}

bool CopySettling::Settled(const std::string& path, const FileStamp& stamp, bool writing)
{
    const std::int64_t now = Clock::Get().MonotonicMs();
    auto [it, first] = m_sightings.try_emplace(path);
    Sighting& sighting = it->second;
    sighting.seen = true;
    if (writing || first || !(sighting.stamp == stamp)) {
        sighting = Sighting{stamp, now, !writing && first && LongUnchanged(stamp), true};
        return sighting.settled;
    }
    sighting.settled = sighting.settled || now - sighting.sinceMs >= kSettleMs;
    return sighting.settled;
}

std::int64_t CopySettling::NextSettleInMs() const
{
    const std::int64_t now = Clock::Get().MonotonicMs();
    std::int64_t next = -1;
    for (const auto& [path, sighting] : m_sightings) {
        if (sighting.settled)
            continue;
        std::int64_t in = std::max<std::int64_t>(sighting.sinceMs + kSettleMs - now, 0);
        next = next < 0 ? in : std::min(next, in);
    }
    return next;
}
