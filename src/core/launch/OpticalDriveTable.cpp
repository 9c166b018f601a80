#include "launch/OpticalDriveTable.h"

#include "app/CZarn2App.h"
#include "platform/FileSystem.h"

template <>
COpticalDriveTable& Seam<COpticalDriveTable>::Fallback()
{
    static COpticalDriveTable machine;
    return machine;
}

std::string COpticalDriveTable::Selected(int selectedIndex) const
{
    if (selectedIndex < 0 || selectedIndex >= count || selectedIndex >= kMaxDrives)
        return {};
    return names[static_cast<size_t>(selectedIndex)];
}

COpticalDriveTable& OpticalDrives()
{
    COpticalDriveTable& table = OpticalDriveTables::Get();
    if (!table.scanned)
        ScanOpticalDrives();
    return table;
}

int ScanOpticalDrives() { return ScanOpticalDrives("/dev"); }

int ScanOpticalDrives(const std::string& deviceFolder)
{
    COpticalDriveTable table;
    table.scanned = true;
    for (int unit = 0; unit < COpticalDriveTable::kMaxDrives; ++unit) {
        std::string node = deviceFolder + "/sr" + std::to_string(unit);
        if (FileSystem::Stat(node).error == 0)
            table.names[static_cast<size_t>(table.count++)] = node;
    }
    OpticalDriveTables::Get() = table;
    return table.count;
}

std::string SelectedOpticalDrive()
{
    return OpticalDrives().Selected(CZarn2App::Get().CdDvdRom);
}
