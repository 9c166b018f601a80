#pragma once

#include <functional>
#include <string>

class IMountControl;

// Starts a program found on the medium: the path and the working folder.
using SetupStarter = std::function<void(const std::string& program, const std::string& folder)>;

// The install-from-disc command: the insert sequence (RequestMedia), then the program the
// medium's "Autorun.inf" names is started with the medium's root as working folder.
// Returns 1 when the autorun file was read (even when it names no program), 0 when the
// sequence failed, the medium is not mounted (and could not be mounted) or it has no
// readable autorun file; those last cases end silently.
int InstallFromMedia();
// The same with the mount lookup and the start replaced (tests).
int InstallFromMedia(IMountControl& mounts, const SetupStarter& start);

// The one place a disc's setup program is started, through the shell-open service; its
// result is not examined.
void StartSetupProgram(const std::string& program, const std::string& folder);
