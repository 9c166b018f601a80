#pragma once

#include "platform/Seam.h"

// The few file system calls whose order decides whether data survives a crash, and the
// no-replace rename whose refusal selects the move's fallback. Tests replace them to
// record the calls or to refuse one. Each returns 0 or the errno of the failure.
class IFileSyscalls {
public:
    virtual ~IFileSyscalls() = default;
    virtual int DataSync(int fd) = 0;
    virtual int Rename(const char* from, const char* to) = 0;
    virtual int RenameNoReplace(const char* from, const char* to) = 0;
};

// The calls in use; without others installed, the system's.
template <>
IFileSyscalls& Seam<IFileSyscalls>::Fallback();

using FileSyscalls = Seam<IFileSyscalls>;
