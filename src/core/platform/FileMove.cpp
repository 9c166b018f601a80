#include "platform/FileMove.h"

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool NoReplaceUnsupported(int err)
{
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// link + unlink: never replaces, but works for files only.
int MoveByLink(const std::string& from, const std::string& to, int renameError)
{
    if (::link(from.c_str(), to.c_str()) != 0) {
        int err = errno;
        // Folders cannot be linked: the rename's own answer is the better report.
        return err == EPERM ? renameError : err;
    }
    if (::unlink(from.c_str()) != 0) {
        int err = errno;
        ::unlink(to.c_str());
        return err;
    }
    return 0;
}

}  // namespace

int MoveNoReplace(const std::string& from, const std::string& to)
{
    if (from == to) {
        struct stat st{};
        return ::lstat(from.c_str(), &st) == 0 ? 0 : errno;
    }
    int err = FileSyscalls::Get().RenameNoReplace(from.c_str(), to.c_str());
    if (err == 0 || !NoReplaceUnsupported(err))
        return err;
    return MoveByLink(from, to, err);
}
