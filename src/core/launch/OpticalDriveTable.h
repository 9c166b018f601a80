#pragma once

#include "platform/Seam.h"

#include <array>
#include <string>

// The machine's optical drives, in device order (/dev/sr0 .. /dev/sr7), and which one the
// launcher uses (the "[CD/DVD-ROM]" setting).
struct COpticalDriveTable {
    static constexpr int kMaxDrives = 8;
    int count = 0;
    std::array<std::string, kMaxDrives> names;  // device paths such as "/dev/sr0"
    bool scanned = false;                       // set by the first scan

    // The selected drive's name. An index outside the table (negative, or at or beyond
    // count) yields "": the open command then fails with its error text, so the user
    // learns the chosen drive is gone instead of another drive's tray opening.
    std::string Selected(int selectedIndex) const;
};

// The table in use: the process's own unless a test installed another.
template <>
COpticalDriveTable& Seam<COpticalDriveTable>::Fallback();

using OpticalDriveTables = Seam<COpticalDriveTable>;

// The table in use, scanned on first use when nothing scanned it before.
COpticalDriveTable& OpticalDrives();
// Rebuilds the table in use from the nodes sr0 .. sr7 that exist in /dev (or in
// `deviceFolder`); returns the count. Runs at start-up and again before the drive choice
// is shown or a disc sequence starts.
int ScanOpticalDrives();
int ScanOpticalDrives(const std::string& deviceFolder);
// The drive the sequences use: the table entry at the application's setting
// "[CD/DVD-ROM]".
std::string SelectedOpticalDrive();
