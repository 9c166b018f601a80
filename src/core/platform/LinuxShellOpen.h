#pragma once

#include "platform/IShellOpen.h"

#include <QStringList>

#include <string>

// The desktop's "open" on Linux, chosen by the file's type:
// - Linux programs and "#!" scripts marked executable run directly, detached, in the
//   working folder (the file's own folder when none is given); unmarked ones are refused
//   with kAccessDenied.
// - Windows programs (.exe) run as "wine <path>" when Wine is installed, else
//   kNoAssociation.
// - URLs (a scheme and a colon, no such file) go to the desktop's handler of their scheme
//   (IUrlHandlers), kNoAssociation when there is none.
// - Desktop entries (.desktop) run their own command in their folder (DesktopEntry),
//   kBadFormat for one that cannot be started.
// - Folders and documents go to xdg-open, whose exit code gives the result (2 for a
//   missing file, any other failure kNoAssociation). An opener still running after the
//   wait counts as started and is left running. Start does not wait for the opener at
//   all.
// - A bare name is looked up in the working folder, then on PATH; a Windows program name
//   not found there goes to Wine (which has its own system programs). "explorer.exe",
//   the file manager's default name, opens Wine's explorer where Wine is installed (it
//   shows the drive letters Windows titles see, the mapped folder among them), otherwise
//   the desktop's file manager on the home folder.
class LinuxShellOpen final : public IShellOpen {
public:
    explicit LinuxShellOpen(int openerWaitMs = 10000) : m_openerWaitMs(openerWaitMs) {}

    int Open(const std::string& path, const std::string& workingDir) override;
    void Start(const std::string& path, const std::string& workingDir) override;

private:
    enum class Opener { kVerdict, kDetached };

    int Route(const std::string& path, const std::string& workingDir, Opener opener);
    int OpenBareName(const std::string& name, const std::string& workingDir, Opener opener);
    int OpenFile(const std::string& file, const std::string& workingDir, Opener opener);
    int OpenEntry(const std::string& file) const;
    int RunDetached(const std::string& program, const QStringList& args, const std::string& workingDir) const;
    int RunOpener(const std::string& target, Opener opener) const;

    int m_openerWaitMs;
};
