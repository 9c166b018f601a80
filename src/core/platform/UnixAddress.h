#pragma once

#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>

// The address of a Unix-domain socket at a path; false when the path does not fit one.
inline bool UnixAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}
