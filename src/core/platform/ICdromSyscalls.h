#pragma once

// The few system calls the Linux drive backend makes, so tests can make them fail with
// any error number. Each returns a non-negative result or minus the error number.
class ICdromSyscalls {
public:
    virtual ~ICdromSyscalls() = default;
    virtual int Open(const char* path, int flags) = 0;
    virtual int Ioctl(int fd, unsigned long request, unsigned long argument) = 0;
    virtual void Close(int fd) = 0;
};

// The real calls.
class SystemCdromSyscalls final : public ICdromSyscalls {
public:
    int Open(const char* path, int flags) override;
    int Ioctl(int fd, unsigned long request, unsigned long argument) override;
    void Close(int fd) override;
};
