#include "platform/ProtectedLink.h"

#include <sys/stat.h>
#include <unistd.h>

bool IsProtectedLink(const std::string& path)
{
    struct stat link{};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return false;
    std::string::size_type slash = path.find_last_of('/');
    std::string folderPath = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat folder{};
    if (::stat(folderPath.c_str(), &folder) != 0)
        return false;
    bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}
