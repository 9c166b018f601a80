#pragma once

#include "platform/Seam.h"

// Keeps the desktop from mounting and auto-running newly inserted discs while it is held.
// The launcher holds it while it is in front, so the disc it asks for is left to it, as
// a Windows launcher cancels AutoPlay while its window is in the foreground.
class IAutomountInhibitor {
public:
    virtual ~IAutomountInhibitor() = default;
    // Both may be repeated; without a desktop that offers this they do nothing, silently.
    virtual void Hold() = 0;
    virtual void Release() = 0;
};

// The inhibitor in use. The program installs the desktop's at start; the fallback holds
// nothing.
template <>
IAutomountInhibitor& Seam<IAutomountInhibitor>::Fallback();

struct AutomountInhibitor : Seam<IAutomountInhibitor> {};
