#include "launch/CDiscCommands.h"

#include "launch/DriveSequences.h"
#include "launch/InstallFromMedia.h"
#include "launch/OpticalDriveTable.h"

CDiscCommands::CDiscCommands(QObject* parent) : QObject(parent)
{
    ScanOpticalDrives();
}

void CDiscCommands::OnTrayOpen()
{
    ScanOpticalDrives();
    OpenDriveDoor();
}

void CDiscCommands::OnTrayClose()
{
    ScanOpticalDrives();
    CloseDriveDoor();
}

void CDiscCommands::OnInstall()
{
    ScanOpticalDrives();
    InstallFromMedia();
}
