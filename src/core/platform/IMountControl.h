#pragma once

#include "platform/Seam.h"

#include <string>

// Where a disc is mounted, and asking the desktop's disk service to mount or release it.
class IMountControl {
public:
    virtual ~IMountControl() = default;
    // The folder the device is mounted on, or "" when it is not mounted.
    virtual std::string MountPoint(const std::string& device) = 0;
    // Asks for the device to be mounted; returns the folder, or "" on failure.
    virtual std::string Mount(const std::string& device) = 0;
    // Asks for the device to be unmounted; false when that was refused or impossible.
    virtual bool Unmount(const std::string& device) = 0;
};

// The disk service that mounts a disc the launcher asked for. The program installs the
// desktop's at start; the fallback mounts nothing and reports every disc as unmounted.
template <>
IMountControl& Seam<IMountControl>::Fallback();

struct MountControl : Seam<IMountControl> {};
