#pragma once

#include "launch/OpticalDriveTable.h"

#include <string>
#include <vector>

// A drive table of the test's own, used instead of the machine's while it lives; a scan
// rebuilds this one.
class FakeDriveTable final : public COpticalDriveTable {
public:
    explicit FakeDriveTable(const std::vector<std::string>& devices = {}) { List(devices); }

    void List(const std::vector<std::string>& devices)
    {
        static_cast<COpticalDriveTable&>(*this) = COpticalDriveTable{};
        scanned = true;
        for (const std::string& device : devices)
            names[static_cast<size_t>(count++)] = device;
    }

private:
    OpticalDriveTables::Override m_install{*this};
};
