#include "launch/InstallFromMedia.h"

#include "launch/AutorunFile.h"
#include "launch/DriveSequences.h"
#include "launch/OpticalDriveTable.h"
#include "platform/IShellOpen.h"
#include "platform/UdisksMountControl.h"

int InstallFromMedia()
{
    UdisksMountControl mounts;
    return InstallFromMedia(mounts, StartSetupProgram);
}

int InstallFromMedia(IMountControl& mounts, const SetupStarter& start)
{
    if (!RequestMedia())
        return 0;
    std::string device = SelectedOpticalDrive();
    // A disc just inserted may not be mounted yet by the desktop: ask for it.
    std::string root = mounts.MountPoint(device);
    if (root.empty())
        root = mounts.Mount(device);
    if (root.empty())
        return 0;
    AutorunFile autorun = AutorunFile::Read(root);
    if (!autorun.read)
        return 0;
    if (!autorun.program.empty())
        start(autorun.program, autorun.folder);
    return 1;
}

void StartSetupProgram(const std::string& program, const std::string& folder)
{
    // The desktop's way of opening it: a Windows setup program runs through Wine.
    ShellOpen::Start(program, folder);
}
