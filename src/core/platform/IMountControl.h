#pragma once

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

// Process-wide access to the disk service that mounts a disc the launcher asked for. The
// program installs the desktop's at start; without one, nothing is mounted.
namespace MountControl {
IMountControl* Get();
void Set(IMountControl* mounts);
}  // namespace MountControl
