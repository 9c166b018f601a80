#include "launch/OpticalDriveTable.h"

#include "app/CZarn2App.h"
#include "platform/FileSystem.h"

namespace {

COpticalDriveTable g_table;

}  // namespace

std::string COpticalDriveTable::Selected(int selectedIndex) const
{
    if (selectedIndex < 0 || selectedIndex >= count || selectedIndex >= kMaxDrives)
        return {};
    return names[static_cast<size_t>(selectedIndex)];
}

COpticalDriveTable& OpticalDrives()
{
    if (!g_table.scanned)
        ScanOpticalDrives();
    return g_table;
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
    g_table = table;
    return g_table.count;
}

std::string SelectedOpticalDrive()
{
    const CZarn2App* app = CZarn2App::Get();
    return OpticalDrives().Selected(app ? app->CdDvdRom : 0);
}
