#pragma once

#include "platform/IFileSyscalls.h"

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

// Passes the file system calls on to those installed before while recording their names
// in order ("datasync", "rename", "rename-noreplace", "unlink", "rmdir", "truncate",
// "syncfolder", "lock") and the paths they change; can refuse the no-replace rename as a
// file system without it does, refuse any call through `refuse` (which may also change the
// disk just before the call), and run `made` after each call it passed on. Installs itself
// while it lives.
class RecordingFileSyscalls final : public IFileSyscalls {
public:
    int DataSync(int fd) override
    {
        return Call("datasync", "", [&] { return m_next.DataSync(fd); });
    }
    int Rename(const char* from, const char* to) override
    {
        return Call("rename", to, [&] { return m_next.Rename(from, to); });
    }
    int RenameNoReplace(const char* from, const char* to) override
    {
        return Call("rename-noreplace", to,
                    [&] { return refuseNoReplace ? EINVAL : m_next.RenameNoReplace(from, to); });
    }
    int Unlink(const char* path) override
    {
        return Call("unlink", path, [&] { return m_next.Unlink(path); });
    }
    int RemoveFolder(const char* path) override
    {
        return Call("rmdir", path, [&] { return m_next.RemoveFolder(path); });
    }
    int Truncate(int fd, long long size) override
    {
        return Call("truncate", "", [&] { return m_next.Truncate(fd, size); });
    }
    int SyncFolder(const char* path) override
    {
        return Call("syncfolder", path, [&] { return m_next.SyncFolder(path); });
    }
    int LockNow(int fd) override
    {
        return Call("lock", "", [&] { return m_next.LockNow(fd); });
    }

    bool refuseNoReplace = false;
    // The errno a call fails with instead of being made (0 makes it), by the call's name and
    // the path it changes (a rename's destination; "" for calls on an open file).
    std::function<int(const std::string& call, const std::string& path)> refuse;
    // Runs after each call that was made, with its name.
    std::function<void(const std::string& call)> made;
    std::vector<std::string> calls;
    std::vector<std::string> paths;  // beside `calls`: the path each changes ("" for an open file)

private:
    template <class Make>
    int Call(const char* name, const std::string& path, Make make)
    {
        calls.push_back(name);
        paths.push_back(path);
        if (int err = refuse ? refuse(name, path) : 0)
            return err;
        int result = make();
        if (made)
            made(name);
        return result;
    }

    IFileSyscalls& m_next = FileSyscalls::Get();
    FileSyscalls::Override m_install{*this};
};
