#include "launch/IdleStretches.h"

#include <algorithm>

IdleStretches::IdleStretches(std::int64_t thresholdMs, std::int64_t playStartMs)
    : m_thresholdMs(std::max<std::int64_t>(thresholdMs, 1)), m_lastMs(playStartMs), m_since(playStartMs)
{
}

void IdleStretches::Add(std::int64_t nowMs, std::optional<std::int64_t> idleMs, bool controller)
{
    if (nowMs < m_lastMs)
        return;
    // From when on nothing was touched, as far as this reading shows.
    const std::int64_t untouchedSince = controller || !idleMs ? nowMs : nowMs - std::max<std::int64_t>(*idleMs, 0);
    // An input at the very millisecond of the reading before (after it) ends the stretch too.
    if (controller || !idleMs || untouchedSince >= m_lastMs) {
        m_closedMs += Counted(m_lastMs - m_since);
        m_since = untouchedSince;
    } else {
        m_since = std::max(m_since, untouchedSince);
    }
    m_lastMs = nowMs;
}
