#pragma once

#include "app/CSettings.h"
#include "platform/Seam.h"
#include "app/ProgramPaths.h"

#include <memory>
#include <string>

class InstanceLock;

// The application object: the program's folders, its settings and the drive mapping for
// the whole run. Construct() runs the start steps before any window exists; Teardown()
// writes the settings file and removes the drive mapping at the end.
class CZarn2App : public CSettings {
public:
    static constexpr int kExitFolderFailure = 3;
    // Construct's answer when another run holds the home folder: nothing was written.
    static constexpr int kAlreadyRunning = 4;
    // Construct's answer, after its message, when the lock file is no regular file of the
    // user (a symbolic link, a folder, another user's file): no run can be kept apart there.
    static constexpr int kLockRefused = 5;

    CZarn2App() = default;
    CZarn2App(const CZarn2App&) = default;
    CZarn2App& operator=(const CZarn2App&) = default;
    ~CZarn2App();

    std::string m_szProgramDir;     // folder of the running binary, no trailing "/"
    std::string m_szHomeDir;        // the user's files: settings, list, Zarn/, Temp/
    std::string m_szIniPath;        // <home>/Zarn2.ini
    std::string m_szHelpDir;        // holds index.html
    std::string m_szDataDir;        // <home>/Zarn: genre files and folders
    std::string m_szTempRoot;       // <home>/Temp: the lock, and each computer's run folder
    // <home>/Temp/<machine id>: this computer's files of the run (the play's journal, the
    // change record, …), never another's when computers share the home folder by a sync tool.
    std::string m_szTempDir;
    std::string m_szExePath;        // the binary itself
    std::string m_szGroupListPath;  // <home>/Zarn2.Grp
    std::string m_szSubstDrive;     // "M:" while a folder is mapped, else empty
    int m_bPlaying = 0;             // set while a title started with history runs
    // Set when the settings file exists but could not be read or is no settings file: the
    // run goes on with the defaults and the file is not written at the end.
    bool m_bIniKept = false;

    // Start steps: paths, defaults (position centred on the given screen), the Temp
    // folder, the lock on the home folder, this computer's run folder, the "Zarn" folder,
    // settings file, drive mapping. Returns 0; kExitFolderFailure when a working folder is
    // unusable, kAlreadyRunning when another run holds the lock, or kLockRefused when the
    // lock file is not one a lock can be trusted to (the caller then ends the process,
    // writing nothing). The lock is held until Teardown.
    int Construct(const ProgramPaths& paths, int screenWidth, int screenHeight);
    // The same with every file in the folder of `exePath`.
    int Construct(const std::string& exePath, int screenWidth, int screenHeight);
    // End steps: write the settings file, remove the drive mapping.
    void Teardown();

    // Dosdevices folder used for the drive mapping; empty means "from the environment".
    std::string m_szWineDosdevices;

    // The running application object (installed by Construct until Teardown); before
    // that, one with the default settings and no paths.
    static CZarn2App& Get();

private:
    std::string m_szMappedFolder;  // the folder linked at start (SUBST may change later)
    std::shared_ptr<InstanceLock> m_pLock;  // held from the start steps to Teardown

    // 0 when the run may go on, else Construct's answer.
    int TakeLock();
    bool EnsureRunFolder();

    void TakePaths(const ProgramPaths& paths);
    bool EnsureTempFolder(const ProgramPaths& paths) const;
    void ReadSettings();
    void SaveSettings() const;
    void MapDrive();
    void UnmapDrive() const;
    void Uninstall();
};

template <>
CZarn2App& Seam<CZarn2App>::Fallback();
