#pragma once

#include "platform/IWaiter.h"

// Waits while the windows go on painting and timers keep running: events other than user
// input are handled in short slices, so the desktop does not take the window for hung,
// and the user cannot start anything else meanwhile.
class PaintingWaiter final : public IWaiter {
public:
    static constexpr int kSliceMs = 15;
    void Wait(int milliseconds) override;
};
