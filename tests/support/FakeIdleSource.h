#pragma once

#include "platform/IIdleSource.h"
#include "support/FakeClock.h"

// A desktop idle counter set by hand and read against a FakeClock; installs itself while
// it lives.
class FakeIdleSource final : public IIdleSource {
public:
    explicit FakeIdleSource(const FakeClock& clock) : m_clock(clock) {}

    bool Open() override { return ++opens, available; }
    IdleReading Read() override
    {
        IdleReading reading{m_clock.monotonicMs - lastInputMs, controller};
        controller = false;
        return reading;
    }
    void Close() override { ++closes; }

    bool available = true;
    std::int64_t lastInputMs = 0;  // the monotonic time of the last key press
    bool controller = false;       // a controller event the next reading sees
    int opens = 0;
    int closes = 0;

private:
    const FakeClock& m_clock;
    IdleSource::Override m_install{*this};
};
