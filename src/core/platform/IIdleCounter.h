#pragma once

#include <cstdint>
#include <optional>

// One of the desktop's idle counters (DesktopIdleSource tries them in turn).
class IIdleCounter {
public:
    virtual ~IIdleCounter() = default;
    // Connects and reads once; false when this desktop does not offer the counter.
    virtual bool Open() = 0;
    // Milliseconds since the person's last input; none when the reading failed.
    virtual std::optional<std::int64_t> IdleMs() = 0;
    virtual void Close() = 0;
};
