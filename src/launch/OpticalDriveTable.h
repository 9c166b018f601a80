#pragma once

#include <array>
#include <string>

// The machine's optical drives, in device order (/dev/sr0 .. /dev/sr7), and which one the
// launcher uses (the "[CD/DVD-ROM]" setting). One per process.
struct COpticalDriveTable {
    static constexpr int kMaxDrives = 8;
    int count = 0;
    std::array<std::string, kMaxDrives> names;  // device paths such as "/dev/sr0"

    // The selected drive's name; an index outside the table yields "" (the open command
    // then fails with its error text).
    std::string Selected(int selectedIndex) const;
};

// The process-wide table.
COpticalDriveTable& OpticalDrives();
// Rebuilds the table; returns the count.
int ScanOpticalDrives();
