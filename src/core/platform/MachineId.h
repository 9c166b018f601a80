#pragma once

#include <string>

// Which computer this is, as a file name: the files a run keeps while it runs carry it, so
// that computers sharing a data folder through a sync tool never take each other's.
namespace MachineId {

// This computer's id (read once): /etc/machine-id, or the host name where there is none.
const std::string& ThisMachine();

// The id `machineIdFile` holds (32 hexadecimal digits), else `hostName` with every
// character but letters, digits, "-", "_" and "." replaced by "_" ("local" when empty).
std::string From(const std::string& machineIdFile, const std::string& hostName);

}  // namespace MachineId
