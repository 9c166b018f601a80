#pragma once

#include "history/CPlayHistory.h"

#include <string>

class CTitleProcess;

// One title: its name, the program, the icon source, the timing and disc flags, and its
// play history (read from the log file when shown).
class CMember : public CPlayHistory {
public:
    std::string m_szName;      // unique within its genre; also the log file's base name
    std::string m_szExePath;   // the program
    std::string m_szIconPath;  // file whose icon stands for the title
    std::string m_szLogFile;   // genre folder + "/" + name + ".Log", always derived
    int m_nAutoTiming = 1;     // 1 automatic, anything else manual
    int m_nUseMedia = 0;       // 1 the title runs from its CD/DVD

    // Copies the title's identity and flags. The history is not carried along (it is
    // rebuilt from the log file before it is shown); the slot's own is released.
    void CopyFrom(const CMember& src);
    void Clear();

    int ReadLog() { return CPlayHistory::ReadLog(m_szLogFile); }
    int AppendLog() { return CPlayHistory::AppendLog(m_szLogFile); }
    int ResetLog() { return CPlayHistory::ResetLog(m_szLogFile); }

    // Play (defined with the launch code): start, wait, measure, disc prompts.
    CTitleProcess* m_hProcess = nullptr;  // the running program while a timed play waits
    bool LaunchTimed();
    void WaitForExit();
    void EndTimed();
    bool LaunchManual();
    void RunWaitingDialog();
    void PromptEject();
    bool LaunchUnrecorded();
    void WaitUnrecorded();
};
