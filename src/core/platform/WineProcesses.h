#pragma once

#include "platform/ProcessTable.h"

// Wine's own background processes: the wine server and the service programs Wine starts
// from its system folder (services.exe, winedevice.exe, plugplay.exe, explorer.exe,
// rpcss.exe, svchost.exe, conhost.exe, winemenubuilder.exe). They outlive the Windows
// programs they serve, so a play does not wait for them.
//
// Told from the process itself: the wine server by its executable's name (wineserver,
// wineserver32, wineserver64); a service program by its command line, whose first word
// Wine sets to the program's Windows path ("C:\windows\system32\services.exe", or the
// syswow64 folder). A program of the same name anywhere else is a title like any other.
namespace WineProcesses {
bool IsBackground(const ProcessEntry& process);
} // namespace WineProcesses
