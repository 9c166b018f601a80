#pragma once

#include <cstdint>
#include <string>

struct stat;

// What tells one version of a file from another without reading it: its size, its
// modification time (nanoseconds) and its inode.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileStamp&) const = default;
};

// 0 with the stamp of the regular file at `path`, else the errno (EINVAL for anything that
// is not a regular file).
int ReadFileStamp(const std::string& path, FileStamp& stamp);
// The same for the file open on descriptor `fd`.
int ReadFileStamp(int fd, FileStamp& stamp);
// The same from what stat() told of a file.
int StampOfStat(const struct stat& st, FileStamp& stamp);
