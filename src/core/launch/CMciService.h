#pragma once

#include "launch/IMciService.h"
#include "platform/IDriveBackend.h"

#include <string>

class IDriveBackend;

// Our command-string service. It knows the one device alias "Drive" and exactly these
// commands:
//   open <device> type cdaudio alias Drive   opens the drive (device "/dev/sr0" ...)
//   set Drive door open                      opens the tray
//   set Drive door closed wait               closes it, returning once it is closed
//   status Drive media present wait          answers "true" or "false"
//   status Drive ready wait                  answers "true" or "false"
//   close Drive                              releases the drive
// Anything else is an unrecognised command. ErrorText adds the system's reason (and the
// device) to the text of the code the service returned last.
class CMciService final : public IMciService {
public:
    // Error codes, numbered in the manner of the system's multimedia service.
    enum : int {
        kOk = 0,
        kErrInvalidDeviceId = 257,      // the alias is not open
        kErrUnrecognizedCommand = 261,
        kErrHardware = 262,
        kErrInvalidDeviceName = 263,
        kErrDuplicateAlias = 265,
        kErrCannotOpen = 266,
        kErrUnsupportedFunction = 274,
        kErrDeviceNotReady = 276,
        kErrDriver = 278,
        kErrDeviceBusy = 288,
    };

    explicit CMciService(IDriveBackend& backend);
    ~CMciService() override;
    CMciService(const CMciService&) = delete;
    CMciService& operator=(const CMciService&) = delete;

    int Send(const std::string& command, std::string& answer) override;
    std::string ErrorText(int code) const override;

    static int CodeFor(DriveResult::Kind kind);

private:
    int Fail(const DriveResult& result);
    int OpenCommand(const std::string& device);
    int Query(DriveResult (IDriveBackend::*query)(bool&), std::string& answer);

    IDriveBackend& m_backend;
    bool m_bOpen = false;
    std::string m_szDevice;
    int m_nLastCode = kOk;
    int m_nLastSysError = 0;
    std::string m_szLastDevice;
};
