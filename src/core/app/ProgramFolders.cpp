#include "app/ProgramFolders.h"

#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <cerrno>
#include <filesystem>

namespace {

const char* const kReport = "\nヘルプを見て作者までエラー番号をご連絡下さい.";

void ShowUnknown(int err) { Messenger::Show(Format("ERROR[%d] : 未知のエラーです.%s", err, kReport)); }

bool CannotMake(int err)
{
    return err == ENOENT || err == ENOTDIR || err == EACCES || err == EPERM || err == EROFS ||
           err == ENOSPC || err == EDQUOT || err == ENAMETOOLONG;
}

void ShowTaken(const std::string& path)
{
    Messenger::Show(
        Format("ERROR[0] : %s の名前のファイルが既に存在すると思われます.%s", path.c_str(), kReport));
}

bool ReadOnly(int err) { return err == EACCES || err == EROFS || err == EPERM; }

bool Create(const std::string& path, bool mayStayMissing = false)
{
    int err = FileSystem::MakeFolder(path);
    // Made by another start at the same moment is as good.
    if (err == 0 || (err == EEXIST && FileSystem::CheckFolder(path).state == FileSystem::FolderState::Folder))
        return true;
    if (mayStayMissing && ReadOnly(err))
        return true;
    if (CannotMake(err))
        Messenger::Show(Format("エラー番号[%d]: %s が作成出来ません.%s", err, path.c_str(), kReport));
    else
        ShowUnknown(err);
    return false;
}

}  // namespace

namespace ProgramFolders {

bool Ensure(const std::string& path)
{
    FileSystem::FolderCheck check = FileSystem::CheckFolder(path);
    switch (check.state) {
    case FileSystem::FolderState::Folder:
        return true;
    case FileSystem::FolderState::Missing:
        return Create(path);
    case FileSystem::FolderState::Taken:
        ShowTaken(path);
        return false;
    case FileSystem::FolderState::Unknown:
        break;
    }
    ShowUnknown(check.error);
    return false;
}

bool EnsureOwn(const std::string& path)
{
    switch (FileSystem::KindOf(path)) {
    case FileSystem::EntryKind::Folder:
        return true;
    case FileSystem::EntryKind::Missing:
        return Create(path, true);
    case FileSystem::EntryKind::Link:
    case FileSystem::EntryKind::File:
        Messenger::Show(Format("ERROR : <%s>は Zarn2 が作るフォルダではありません (シンボリックリンクやファイルなど). "
                               "動いている Zarn2 のファイルをそこに置けないため, 起動を中止します. "
                               "これを削除してから起動して下さい.",
                               path.c_str()));
        return false;
    case FileSystem::EntryKind::Other:
        break;
    }
    return Ensure(path);
}

bool EnsureWithParents(const std::string& path)
{
    // A parent that cannot be made shows as the folder's own failure below.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return Ensure(path);
}

}  // namespace ProgramFolders
