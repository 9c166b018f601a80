#pragma once

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

// Process-wide access to the calls in use; the system's own unless a test installed others.
namespace FileSyscalls {
IFileSyscalls& Get();
// Installs `calls` (nullptr: the system's) and returns what was installed before.
IFileSyscalls* Set(IFileSyscalls* calls);
}  // namespace FileSyscalls
