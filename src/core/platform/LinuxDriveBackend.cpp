#include "platform/LinuxDriveBackend.h"

#include "platform/ICdromSyscalls.h"
#include "platform/UdisksMountControl.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/cdrom.h>

namespace {

SystemCdromSyscalls& RealSyscalls()
{
    static SystemCdromSyscalls syscalls;
    return syscalls;
}

UdisksMountControl& RealMounts()
{
    static UdisksMountControl mounts;
    return mounts;
}

}  // namespace

LinuxDriveBackend::LinuxDriveBackend() : LinuxDriveBackend(RealSyscalls(), RealMounts()) {}

LinuxDriveBackend::LinuxDriveBackend(ICdromSyscalls& syscalls, IMountControl& mounts)
    : m_syscalls(syscalls), m_mounts(mounts)
{
}

LinuxDriveBackend::~LinuxDriveBackend() { Close(); }

DriveResult LinuxDriveBackend::FromOpenError(int sysError)
{
    switch (sysError) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return DriveResult::Failure(DriveResult::kNoDevice, sysError);
    case EACCES:
    case EPERM:
    case EROFS:
        return DriveResult::Failure(DriveResult::kCannotOpen, sysError);
    case EBUSY:
        return DriveResult::Failure(DriveResult::kBusy, sysError);
    case ENOMEDIUM:
        return DriveResult::Failure(DriveResult::kNotReady, sysError);
    default:
        return DriveResult::Failure(DriveResult::kFailed, sysError);
    }
}

DriveResult LinuxDriveBackend::FromRequestError(int sysError)
{
    switch (sysError) {
    case ENOTTY:
    case EINVAL:
    case ENOSYS:
    case EOPNOTSUPP:
        return DriveResult::Failure(DriveResult::kUnsupported, sysError);
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return DriveResult::Failure(DriveResult::kNotReady, sysError);
    case EBUSY:
        return DriveResult::Failure(DriveResult::kBusy, sysError);
    case EIO:
        return DriveResult::Failure(DriveResult::kHardware, sysError);
    default:
        return DriveResult::Failure(DriveResult::kFailed, sysError);
    }
}

DriveResult LinuxDriveBackend::Open(const std::string& device)
{
    Close();
    if (device.empty())
        return DriveResult::Failure(DriveResult::kNoDevice);
    // Without O_NONBLOCK the open fails while the drive holds no disc.
    int fd = m_syscalls.Open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FromOpenError(-fd);
    m_fd = fd;
    m_device = device;
    return DriveResult::Success();
}

DriveResult LinuxDriveBackend::OpenTray()
{
    if (m_fd < 0)
        return DriveResult::Failure(DriveResult::kNotOpen);
    // The kernel refuses to eject a disc that is mounted: ask the disk service to release
    // it first. When it cannot, the eject below reports the drive as busy.
    if (!m_mounts.MountPoint(m_device).empty())
        m_mounts.Unmount(m_device);
    int rc = m_syscalls.Ioctl(m_fd, CDROMEJECT, 0);
    return rc < 0 ? FromRequestError(-rc) : DriveResult::Success();
}

DriveResult LinuxDriveBackend::CloseTray()
{
    if (m_fd < 0)
        return DriveResult::Failure(DriveResult::kNotOpen);
    // The request returns once the tray is in; the drive may still be loading the disc,
    // which the readiness polls of the medium wait see.
    int rc = m_syscalls.Ioctl(m_fd, CDROMCLOSETRAY, 0);
    return rc < 0 ? FromRequestError(-rc) : DriveResult::Success();
}

DriveResult LinuxDriveBackend::DiscStatus(int& status)
{
    if (m_fd < 0)
        return DriveResult::Failure(DriveResult::kNotOpen);
    int rc = m_syscalls.Ioctl(m_fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    if (rc < 0)
        return FromRequestError(-rc);
    status = rc;
    return DriveResult::Success();
}

// "Not ready" is what the drive reports while it loads or spins up a disc it holds; with
// no disc it reports no disc or an open tray.
DriveResult LinuxDriveBackend::MediaPresent(bool& present)
{
    int status = CDS_NO_INFO;
    DriveResult result = DiscStatus(status);
    present = result.Ok() && (status == CDS_DISC_OK || status == CDS_DRIVE_NOT_READY);
    return result;
}

DriveResult LinuxDriveBackend::Ready(bool& ready)
{
    int status = CDS_NO_INFO;
    DriveResult result = DiscStatus(status);
    ready = result.Ok() && status == CDS_DISC_OK;
    return result;
}

void LinuxDriveBackend::Close()
{
    if (m_fd >= 0)
        m_syscalls.Close(m_fd);
    m_fd = -1;
    m_device.clear();
}
