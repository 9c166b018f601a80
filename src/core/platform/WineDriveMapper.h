#pragma once

#include <string>

// Maps a folder to a drive letter the way Windows programs on this desktop see drives:
// a symbolic link named "<letter>:" in the dosdevices folder of the Wine prefix
// ($WINEPREFIX, otherwise ~/.wine). Without a prefix no letter is free.
class WineDriveMapper {
public:
    // Uses the prefix named by the environment.
    WineDriveMapper();
    explicit WineDriveMapper(std::string dosdevicesDir);

    // Links the first free letter from L to Y to `folder`; returns it as "M:", or "" when
    // nothing was mapped. Never blocks and never fails the caller.
    std::string Map(const std::string& folder) const;
    // Removes the link of `drive` ("M:") if it still points at `folder`.
    void Unmap(const std::string& drive, const std::string& folder) const;

    const std::string& DosdevicesDir() const { return m_dosdevices; }

private:
    std::string LinkPath(char letter) const;
    std::string m_dosdevices;
};
