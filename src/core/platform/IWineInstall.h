#pragma once

#include "platform/Seam.h"

#include <string>

// The Wine that runs Windows programs, and whether it can run 32-bit ones: a 64-bit Wine
// without its 32-bit part (Debian's wine64 without wine32) fails on them without showing
// anything.
class IWineInstall {
public:
    virtual ~IWineInstall() = default;
    // The Wine loader ("" when Wine is not installed).
    virtual std::string Loader() = 0;
    // Whether that Wine runs 32-bit Windows programs; true when it cannot be told.
    virtual bool Runs32Bit() = 0;
};

// The installed Wine (LinuxWineInstall) unless a test installed another.
template <>
IWineInstall& Seam<IWineInstall>::Fallback();

struct WineInstall : Seam<IWineInstall> {};
