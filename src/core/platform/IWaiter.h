#pragma once

#include "platform/Seam.h"

// Pauses of the drive sequences (the 1500 ms after opening the tray, the 200 ms between
// polls). The plain one sleeps; the window's one keeps painting meanwhile; tests install
// one that returns at once.
class IWaiter {
public:
    virtual ~IWaiter() = default;
    virtual void Wait(int milliseconds) = 0;
};

// The waiter in use; without one installed, a plain sleep.
template <>
IWaiter& Seam<IWaiter>::Fallback();

struct Waiter : Seam<IWaiter> {
    static void Wait(int milliseconds) { Get().Wait(milliseconds); }
};
