#include "platform/DiskVersion.h"

void DiskVersion::Look(const std::string& path)
{
    m_known = true;
    m_stamp = FileStamp{};
    m_error = ReadFileStamp(path, m_stamp);
}

void DiskVersion::Wrote(const FileStamp& stamp)
{
    m_known = true;
    m_error = 0;
    m_stamp = stamp;
}

bool DiskVersion::Changed(const std::string& path) const
{
    // Only a file that is there can hold a change to lose: one that is gone, or is no
    // regular file, is left to the caller's own handling of a missing or foreign file.
    FileStamp now;
    if (!m_known || ReadFileStamp(path, now) != 0)
        return false;
    return m_error != 0 || now != m_stamp;
}
