#pragma once

#include "platform/IClock.h"

// A clock tests set by hand; installs itself while it lives.
class FakeClock final : public IClock {
public:
    LocalDateTime Now() const override { return now; }
    std::int64_t MonotonicMs() const override { return monotonicMs; }

    // Moves both clocks on by `seconds` (the wall clock without calendar carry: tests
    // that need dates set `now` directly).
    void Advance(int seconds) { monotonicMs += static_cast<std::int64_t>(seconds) * 1000; }

    LocalDateTime now{2009, 3, 7, 21, 5, 9};
    std::int64_t monotonicMs = 1000000;

private:
    Clock::Override m_install{*this};
};
