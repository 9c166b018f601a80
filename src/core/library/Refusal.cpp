#include "library/Refusal.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

Refusal DiskRefusal(int err, const std::string& target)
{
    std::error_code ec;
    if (err == EEXIST || std::filesystem::exists(std::filesystem::symlink_status(target, ec)))
        return Refusal::TakenOnDisk;
    return Refusal::FileSystem;
}
