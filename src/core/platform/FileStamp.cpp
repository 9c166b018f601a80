#include "platform/FileStamp.h"

#include <cerrno>
#include <sys/stat.h>

int ReadFileStamp(const std::string& path, FileStamp& stamp)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    stamp.size = st.st_size;
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return 0;
}
