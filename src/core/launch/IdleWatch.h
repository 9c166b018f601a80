#pragma once

#include "launch/IdleStretches.h"

#include <cstdint>
#include <optional>

class IIdleSource;

// Watches one recorded play for the time it was left alone: opens the idle source when
// the play starts, reads it whenever asked (at each of the journal's beats and at the
// play's end; it never wakes the launcher itself) and sums the stretches that reached
// the threshold (IdleStretches). Off when the threshold is 0 or the desktop has no idle
// counter: every total is then 0.
class IdleWatch {
public:
    explicit IdleWatch(int thresholdMinutes) : m_thresholdMinutes(thresholdMinutes) {}
    ~IdleWatch() { End(); }
    IdleWatch(const IdleWatch&) = delete;
    IdleWatch& operator=(const IdleWatch&) = delete;

    // The play started at the monotonic `playStartMs`; false when there is nothing to watch.
    bool Begin(std::int64_t playStartMs);
    // Takes a reading now; the counted seconds so far.
    int Sample();
    // Takes the play's last reading (the first call only) and closes the source; the
    // counted seconds.
    int End();

private:
    int Seconds() const;

    int m_thresholdMinutes;
    std::optional<IdleStretches> m_stretches;
    IIdleSource* m_source = nullptr;  // while open
};
