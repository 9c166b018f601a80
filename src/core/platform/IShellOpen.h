#pragma once

#include "platform/Seam.h"

#include <string>

// Opens a file the way the desktop does when the user double-clicks it: programs start,
// documents open in their application, folders in the file manager. The result follows
// the shell's convention: above 32 when something was started, else one of the codes
// below. Used for titles with manual timing, plays without history, the file manager,
// the help and a disc's setup program.
class IShellOpen {
public:
    static constexpr int kStarted = 42;         // any value above 32 means started
    static constexpr int kFileNotFound = 2;
    static constexpr int kPathNotFound = 3;     // the working folder does not exist
    static constexpr int kAccessDenied = 5;
    static constexpr int kBadFormat = 11;
    static constexpr int kNoAssociation = 31;   // no program opens this type

    virtual ~IShellOpen() = default;
    // `path` absolute, relative to `workingDir`, or a bare program name looked up on PATH;
    // `workingDir` may be empty (the program's own folder is used then).
    virtual int Open(const std::string& path, const std::string& workingDir) = 0;
    // The same open for callers that do not look at the result: it returns as soon as
    // the program or the desktop's opener is started, never waiting for the opener.
    virtual void Start(const std::string& path, const std::string& workingDir) { Open(path, workingDir); }

    static bool Started(int result) { return result > 32; }
};

// The service in use: the desktop's one unless a test installed another.
template <>
IShellOpen& Seam<IShellOpen>::Fallback();

struct ShellOpen : Seam<IShellOpen> {
    static int Open(const std::string& path, const std::string& workingDir)
    {
        return Get().Open(path, workingDir);
    }
    static void Start(const std::string& path, const std::string& workingDir)
    {
        Get().Start(path, workingDir);
    }
};
