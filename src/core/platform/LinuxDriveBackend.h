#pragma once

#include "platform/IDriveBackend.h"

class ICdromSyscalls;
class IMountControl;

// Drives an optical drive through its device node (/dev/srN) with the kernel's CD-ROM
// requests. The node is opened without blocking, so it opens with no disc inserted; the
// tray opens only after a mounted disc was released; closing returns when the kernel has
// closed the tray. The drive's status tells a disc in the drive (ready, or still being
// loaded: "not ready") from a drive ready to read it.
class LinuxDriveBackend final : public IDriveBackend {
public:
    // The real system calls and the desktop's disk service.
    LinuxDriveBackend();
    LinuxDriveBackend(ICdromSyscalls& syscalls, IMountControl& mounts);
    ~LinuxDriveBackend() override;
    LinuxDriveBackend(const LinuxDriveBackend&) = delete;
    LinuxDriveBackend& operator=(const LinuxDriveBackend&) = delete;

    DriveResult Open(const std::string& device) override;
    DriveResult OpenTray() override;
    DriveResult CloseTray() override;
    DriveResult MediaPresent(bool& present) override;
    DriveResult Ready(bool& ready) override;
    void Close() override;

    // The drive's view of an error number, for opening the node or for a request to it.
    static DriveResult FromOpenError(int sysError);
    static DriveResult FromRequestError(int sysError);

private:
    DriveResult DiscStatus(int& status);

    ICdromSyscalls& m_syscalls;
    IMountControl& m_mounts;
    int m_fd = -1;
    std::string m_device;
};
