#include "launch/CDiscCommands.h"

#include "launch/DriveSequences.h"
#include "launch/InstallFromMedia.h"
#include "launch/OpticalDriveTable.h"

CDiscCommands::CDiscCommands(QObject* parent) : QObject(parent)
{
    MediaPrompt::Set(&m_prompt);
    Waiter::Set(&m_waiter);
    ScanOpticalDrives();
}

CDiscCommands::~CDiscCommands()
{
    if (&MediaPrompt::Get() == &m_prompt)
        MediaPrompt::Set(nullptr);
    if (&Waiter::Get() == &m_waiter)
        Waiter::Set(nullptr);
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
