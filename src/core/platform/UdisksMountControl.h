#pragma once

#include "platform/IMountControl.h"

// Mount points from the system's mount table; mounting and unmounting through the udisks2
// service on the system bus (as the desktop's file manager does, so no root rights are
// needed for removable media).
class UdisksMountControl final : public IMountControl {
public:
    std::string MountPoint(const std::string& device) override;
    std::string Mount(const std::string& device) override;
    bool Unmount(const std::string& device) override;

    // The service's object path for a block device: "/dev/sr0" →
    // "/org/freedesktop/UDisks2/block_devices/sr0" (bytes other than letters, digits and
    // "_" written as "_xx" in hex).
    static std::string BlockObjectPath(const std::string& device);
    // The device's canonical name (symbolic links such as /dev/cdrom resolved).
    static std::string CanonicalDevice(const std::string& device);
};
