#pragma once

#include "platform/Seam.h"

#include <cstdint>
#include <optional>

// One look at how long the person has left the machine alone.
struct IdleReading {
    // The desktop's idle counter: milliseconds since the last key press or pointer move;
    // none when it could not be read this time.
    std::optional<std::int64_t> idleMs;
    // A game controller sent an event since the last reading.
    bool controller = false;
};

// The desktop's idle counter and the game controllers, opened for one play.
class IIdleSource {
public:
    virtual ~IIdleSource() = default;
    // False when the desktop offers no idle counter: there is nothing to watch then.
    virtual bool Open() = 0;
    virtual IdleReading Read() = 0;
    virtual void Close() = 0;
};

// The idle source in use. The program installs the desktop's at start; the fallback
// offers none.
template <>
IIdleSource& Seam<IIdleSource>::Fallback();

struct IdleSource : Seam<IIdleSource> {};
