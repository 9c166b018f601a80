#include "app/CZarn2App.h"

#include "app/ProgramFolders.h"
#include "app/SettingsFile.h"
#include "platform/Cp932.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/InstanceLock.h"
#include "platform/MachineId.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "platform/TextFormatCheck.h"
#include "platform/WineDriveMapper.h"

#include <cerrno>

namespace {

constexpr const char* kIniKept = "このファイルは書き換えずに残すため, この起動中に変更した設定は保存されません.";

WineDriveMapper MapperFor(const std::string& dosdevices)
{
    return dosdevices.empty() ? WineDriveMapper() : WineDriveMapper(dosdevices);
}
}  // namespace

template <>
CZarn2App& Seam<CZarn2App>::Fallback()
{
    static CZarn2App none;
    return none;
}

CZarn2App& CZarn2App::Get() { return Seam<CZarn2App>::Get(); }

CZarn2App::~CZarn2App() { Uninstall(); }

void CZarn2App::Uninstall()
{
    if (Seam<CZarn2App>::Installed() == this)
        Seam<CZarn2App>::Set(nullptr);
}

int CZarn2App::Construct(const std::string& exePath, int screenWidth, int screenHeight)
{
    return Construct(ProgramPaths::Portable(exePath), screenWidth, screenHeight);
}

int CZarn2App::Construct(const ProgramPaths& paths, int screenWidth, int screenHeight)
{
    Seam<CZarn2App>::Set(this);
    TakePaths(paths);
    static_cast<CSettings&>(*this) = CSettings();
    Position = CentredPosition(screenWidth, screenHeight);
    m_bPlaying = 0;
    if (!EnsureTempFolder(paths))
        return kExitFolderFailure;
    if (int refused = TakeLock())
        return refused;
    if (!EnsureRunFolder() || !ProgramFolders::Ensure(m_szDataDir))
        return kExitFolderFailure;
    ReadSettings();
    MapDrive();
    return 0;
}

void CZarn2App::TakePaths(const ProgramPaths& paths)
{
    // A binary path without a folder: the working files go to the current folder.
    if (paths.exePath.find('/') == std::string::npos)
        Messenger::Show("Zarn2 のインストールパスが異常です.");
    m_szExePath = paths.exePath;
    m_szProgramDir = paths.programDir;
    m_szHomeDir = paths.homeDir;
    m_szIniPath = paths.iniPath;
    m_szHelpDir = paths.helpDir;
    m_szDataDir = paths.dataDir;
    m_szTempRoot = paths.tempDir;
    m_szTempDir = paths.tempDir.empty() ? std::string() : paths.tempDir + "/" + MachineId::ThisMachine();
    m_szGroupListPath = paths.groupListPath;
}

// The Temp folder holds the lock, so it is the one folder made before the lock is taken
// (with the home folder that holds it); a second run finds both there.
bool CZarn2App::EnsureTempFolder(const ProgramPaths& paths) const
{
    if (paths.makeHomeDir && !ProgramFolders::EnsureWithParents(paths.homeDir))
        return false;
    return ProgramFolders::Ensure(m_szTempRoot);
}

// A Temp that may not be written (left by an older build or another computer) runs without
// this computer's run folder, as it ran before there were run folders.
bool CZarn2App::EnsureRunFolder() { return m_szTempDir.empty() || ProgramFolders::EnsureOwn(m_szTempDir); }

int CZarn2App::TakeLock()
{
    m_pLock.reset();
    auto lock = std::make_shared<InstanceLock>();
    // The lock keeps a second run on this computer away: it stays beside the run folders.
    const std::string path = m_szTempRoot + "/Zarn2.lock";
    switch (lock->Take(path)) {
    case InstanceLock::State::Held:
        m_pLock = std::move(lock);
        return 0;
    case InstanceLock::State::HeldElsewhere:
        return kAlreadyRunning;
    case InstanceLock::State::NotOurs:
        // Another run could not be told from this one there: stop as when one holds it.
        Messenger::Show(Format("ERROR[%d] : ロックファイル<%s>は Zarn2 が使える通常のファイルではありません "
                               "(シンボリックリンク, フォルダ, 他のユーザーのファイルなど). "
                               "同じフォルダで二つの Zarn2 が同時に動かないように, 起動を中止します. "
                               "このファイルを削除してから起動して下さい.",
                               lock->Error(), path.c_str()));
        return kLockRefused;
    case InstanceLock::State::Unavailable:
        // A folder where no lock can be had (read-only, or a file system without locks)
        // runs as it did without one.
        return 0;
    }
    return 0;
}

void CZarn2App::ReadSettings()
{
    m_bIniKept = false;
    TextFileReader reader;
    if (int err = reader.Open(m_szIniPath, SettingsFile::kMaxBytes)) {
        // A missing file is a first start; one that is there but unreadable is kept.
        std::string kept = err == ENOENT ? std::string()
                                         : Format("\nERROR[%d] : %s\n%s", err, m_szIniPath.c_str(), kIniKept);
        Messenger::Show("初期化ファイルが開けませんでした, 規定値をロードします." + kept);
        m_bIniKept = err != ENOENT;
        return;
    }
    CSettings read = *this;
    if (std::string problem = SettingsFile::Read(reader, read); !problem.empty()) {
        Messenger::Show(NotOfFormatMessage(Format("初期化ファイル<%s>", m_szIniPath.c_str()), problem,
                                           std::string("規定値をロードします. ") + kIniKept));
        m_bIniKept = true;
        return;
    }
    static_cast<CSettings&>(*this) = read;
}

void CZarn2App::MapDrive()
{
    m_szSubstDrive.clear();
    if (!SUBST.empty())
        m_szSubstDrive = MapperFor(m_szWineDosdevices).Map(SUBST);
    m_szMappedFolder = m_szSubstDrive.empty() ? std::string() : SUBST;
}

void CZarn2App::UnmapDrive() const
{
    if (!SUBST.empty() && !m_szSubstDrive.empty())
        MapperFor(m_szWineDosdevices).Unmap(m_szSubstDrive, m_szMappedFolder);
}

void CZarn2App::Teardown()
{
    if (!m_bIniKept)
        SaveSettings();
    UnmapDrive();
    m_pLock.reset();
    Uninstall();
}

void CZarn2App::SaveSettings() const
{
    TextFileWriter writer;
    SettingsFile::Write(*this, writer);
    TextFileWriter::Result result = writer.Save(m_szIniPath);
    if (!result.unmappable.empty())
        Messenger::Show(Cp932::UnmappableMessage("初期化ファイル", result.unmappable));
    else if (result.error != 0)
        Messenger::Show(Format("ERROR[%d] : 初期化ファイルを作成出来ませんでした,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               result.error));
}
