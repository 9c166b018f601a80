#include "platform/BackupCopy.h"

#include "platform/Descriptor.h"
#include "platform/FileSystem.h"
#include "platform/IFileSyscalls.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kMaxNumber = 999;

std::string NameFor(const std::string& path, int number)
{
    return number == 1 ? path + ".bak" : path + "." + std::to_string(number) + ".bak";
}

// Creates `copy` (never an existing one) holding `bytes`, on the disk. 0, or the errno.
int WriteNew(const std::string& copy, const std::string& bytes)
{
    int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int err = Descriptor::WriteAll(fd, bytes);
    if (err == 0)
        err = FileSyscalls::Get().DataSync(fd);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        ::unlink(copy.c_str());
    return err;
}

}  // namespace

namespace BackupCopy {

std::string NextName(const std::string& path)
{
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string name = NameFor(path, number);
        if (!FileSystem::EntryExists(name))
            return name;
    }
    return {};
}

int Keep(const std::string& path, std::string& kept)
{
    std::string bytes;
    if (int err = RegularFile::Read(
            path, [&bytes](std::uint64_t size) { bytes.reserve(static_cast<size_t>(size)); },
            [&bytes](std::string_view piece) { bytes.append(piece); }))
        return err;
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string copy = NameFor(path, number);
        int err = WriteNew(copy, bytes);
        if (err == EEXIST)
            continue;
        if (err == 0)
            kept = copy;
        return err;
    }
    return EEXIST;
}

}  // namespace BackupCopy
