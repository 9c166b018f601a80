#include "platform/MachineId.h"

#include "platform/RegularFile.h"

#include <climits>
#include <unistd.h>

namespace {

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsNameChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '_' || c == '.';
}

std::string HostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

}  // namespace

namespace MachineId {

std::string From(const std::string& machineIdFile, const std::string& hostName)
{
    std::string bytes;
    if (RegularFile::ReadAtMost(machineIdFile, 64, bytes) == 0) {
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == ' '))
            bytes.pop_back();
        bool hex = bytes.size() == 32;
        for (char c : bytes)
            hex = hex && IsHex(c);
        if (hex)
            return bytes;
    }
    std::string name = hostName;
    for (char& c : name)
        if (!IsNameChar(c))
            c = '_';
    if (name.empty() || name.front() == '.')
        name.insert(0, "local");
    return name;
}

const std::string& ThisMachine()
{
    static const std::string id = From("/etc/machine-id", HostName());
    return id;
}

}  // namespace MachineId
