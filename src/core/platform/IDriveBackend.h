#pragma once

#include <string>

// Outcome of one drive operation: what went wrong, in the drive's own terms, and the
// system's error number behind it (0 when there is none).
struct DriveResult {
    enum Kind {
        kOk,
        kNoDevice,     // no such drive (missing or empty device name)
        kCannotOpen,   // the drive exists but may not be opened (permissions)
        kUnsupported,  // the device cannot do this (not an optical drive, no motor)
        kNotReady,     // no medium, or the drive is not responding
        kBusy,         // in use elsewhere (a mounted disc that could not be released)
        kHardware,     // the drive reported an input/output failure
        kFailed,       // any other failure of the driver
        kNotOpen,      // an operation without an open drive
    };
    Kind kind = kOk;
    int sysError = 0;

    bool Ok() const { return kind == kOk; }
    static DriveResult Success() { return {}; }
    static DriveResult Failure(Kind kind, int sysError = 0) { return DriveResult{kind, sysError}; }
};

// One optical drive, opened by its device name for the length of one command sequence.
class IDriveBackend {
public:
    virtual ~IDriveBackend() = default;
    virtual DriveResult Open(const std::string& device) = 0;
    // Opens the tray (releasing a mounted disc first).
    virtual DriveResult OpenTray() = 0;
    // Closes the tray and returns once it is closed; whether the drive can read yet is
    // Ready's to say.
    virtual DriveResult CloseTray() = 0;
    // Whether a medium is in the drive, also one the drive is still loading.
    virtual DriveResult MediaPresent(bool& present) = 0;
    // Whether the drive can read its medium now.
    virtual DriveResult Ready(bool& ready) = 0;
    // Releases the drive; harmless when none is open.
    virtual void Close() = 0;
};
