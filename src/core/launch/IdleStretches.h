#pragma once

#include <cstdint>
#include <optional>

// The arithmetic of the time a play was left alone, from readings taken now and then (at
// the journal's beats and at the play's end). A stretch runs from the person's last
// input to their next; it counts, whole, once it has lasted the threshold, and the
// counted stretches are summed.
//
// Only what the readings prove is counted. The desktop's counter says when the last input
// before a reading was; an input between two readings (the counter went back) ends the
// stretch at the earlier reading, since the first input after it may have come at once. A
// controller event or a failed reading ends it there too, and the next stretch starts at
// the later reading. Time before the play is no play: a stretch that began earlier counts
// from the play's start.
class IdleStretches {
public:
    IdleStretches(std::int64_t thresholdMs, std::int64_t playStartMs);

    // One reading at monotonic `nowMs`: the desktop's idle milliseconds (none: unknown)
    // and whether a controller was touched since the reading before.
    void Add(std::int64_t nowMs, std::optional<std::int64_t> idleMs, bool controller);
    // The counted stretches up to the last reading, the one still running included once
    // it has reached the threshold.
    std::int64_t TotalMs() const { return m_closedMs + Counted(m_lastMs - m_since); }

private:
    std::int64_t Counted(std::int64_t stretchMs) const { return stretchMs >= m_thresholdMs ? stretchMs : 0; }

    std::int64_t m_thresholdMs;
    std::int64_t m_lastMs;   // the last reading
    std::int64_t m_since;    // the start of the stretch running at the last reading
    std::int64_t m_closedMs = 0;
};
