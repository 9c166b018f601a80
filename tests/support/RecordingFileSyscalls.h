#pragma once

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <string>
#include <vector>

// Passes the file system calls on to those installed before while recording their names
// in order ("datasync", "rename", "rename-noreplace"); can refuse the no-replace rename as
// a file system without it does. Installs itself while it lives.
class RecordingFileSyscalls final : public IFileSyscalls {
public:
    int DataSync(int fd) override
    {
        calls.push_back("datasync");
        return m_next.DataSync(fd);
    }
    int Rename(const char* from, const char* to) override
    {
        calls.push_back("rename");
        return m_next.Rename(from, to);
    }
    int RenameNoReplace(const char* from, const char* to) override
    {
        calls.push_back("rename-noreplace");
        return refuseNoReplace ? EINVAL : m_next.RenameNoReplace(from, to);
    }

    bool refuseNoReplace = false;
    std::vector<std::string> calls;

private:
    IFileSyscalls& m_next = FileSyscalls::Get();
    FileSyscalls::Override m_install{*this};
};
