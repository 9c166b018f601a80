#include "platform/FileStamp.h"

#include <cerrno>
#include <sys/stat.h>

int StampOfStat(const struct stat& st, FileStamp& stamp)
{
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    stamp.size = st.st_size;
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return 0;
}

int ReadFileStamp(const std::string& path, FileStamp& stamp)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) != 0 ? errno : StampOfStat(st, stamp);
}

int ReadFileStamp(int fd, FileStamp& stamp)
{
    struct stat st{};
    return ::fstat(fd, &st) != 0 ? errno : StampOfStat(st, stamp);
}
