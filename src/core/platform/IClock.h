#pragma once

#include "platform/Seam.h"

#include <cstdint>

// A calendar moment in local time, fields as the user reads them (month 1-12).
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Source of time: the local wall clock for dates shown and logged, and a monotonic clock
// (stops while the machine sleeps, never steps) for measuring durations.
class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalDateTime Now() const = 0;
    virtual std::int64_t MonotonicMs() const = 0;
};

// The clock in use; without one installed, the system's.
template <>
IClock& Seam<IClock>::Fallback();

using Clock = Seam<IClock>;
