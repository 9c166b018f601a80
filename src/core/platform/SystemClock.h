#pragma once

#include "platform/IClock.h"

// The machine's clocks: localtime_r of time(2), and CLOCK_MONOTONIC.
class SystemClock final : public IClock {
public:
    LocalDateTime Now() const override;
    std::int64_t MonotonicMs() const override;
};
