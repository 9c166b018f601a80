#include "app/ProgramFolders.h"

#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kReport = "\nヘルプを見て作者までエラー番号をご連絡下さい.";

void ShowUnknown(int err) { Messenger::Show(Format("ERROR[%d] : 未知のエラーです.%s", err, kReport)); }

bool CannotMake(int err)
{
    return err == ENOENT || err == ENOTDIR || err == EACCES || err == EPERM || err == EROFS ||
           err == ENOSPC || err == EDQUOT || err == ENAMETOOLONG;
}

bool Create(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    int err = errno;
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
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) {
        int err = errno;
        struct stat linkSt{};
        bool danglingLink = ::lstat(path.c_str(), &linkSt) == 0;
        if ((err == ENOENT || err == ENOTDIR) && !danglingLink)
            return Create(path);
        if (danglingLink) {
            Messenger::Show(Format("ERROR[0] : %s の名前のファイルが既に存在すると思われます.%s", path.c_str(), kReport));
            return false;
        }
        ShowUnknown(err);
        return false;
    }
    if (S_ISDIR(st.st_mode))
        return true;
    Messenger::Show(Format("ERROR[0] : %s の名前のファイルが既に存在すると思われます.%s", path.c_str(), kReport));
    return false;
}

bool EnsureWithParents(const std::string& path)
{
    // A parent that cannot be made shows as the folder's own failure below.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return Ensure(path);
}

std::string RunningBinary()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    buf[n] = '\0';
    return buf;
}

}  // namespace ProgramFolders
