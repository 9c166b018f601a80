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

// What cannot be hard-linked: a folder, or any entry on a file system without links.
bool LinkUnsupported(int err)
{
    return err == EPERM || err == EOPNOTSUPP || err == ENOSYS;
}

// Looks first, then renames. Between the look and the rename another process may create
// the destination: a file or an empty folder made in that moment is replaced (a folder
// with entries is not, the rename then fails). Only the kernel's no-replace rename closes
// that window; this runs where the file system does not offer it.
int MoveIfAbsent(const std::string& from, const std::string& to)
{
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return FileSyscalls::Get().Rename(from.c_str(), to.c_str());
}

// link + unlink: never replaces a file; entries that cannot be linked are moved by
// MoveIfAbsent.
int MoveByLink(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) != 0) {
        int err = errno;
        return LinkUnsupported(err) ? MoveIfAbsent(from, to) : err;
    }
    if (int err = FileSyscalls::Get().Unlink(from.c_str())) {
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
    return MoveByLink(from, to);
}

int MoveAside(const std::string& path, const std::string& tag, std::string& movedTo)
{
    constexpr int kMaxNumber = 999;
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string aside = path + (number == 1 ? "" : "." + std::to_string(number)) + "." + tag;
        int err = MoveNoReplace(path, aside);
        if (err == EEXIST)
            continue;
        if (err == 0)
            movedTo = aside;
        return err;
    }
    return EEXIST;
}
