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
    // Reordering and moving titles between slots: the title goes with its history, which
    // belongs to its log, so nothing is copied or released and the cost does not depend on
    // how long the history is. The running-process pointer stays with the slot.
    // Exchanges the titles of two slots.
    void SwapWith(CMember& other);
    // Takes over the title of `src`; `src` is left without a title.
    void TakeFrom(CMember& src);

    int ReadLog() { return CPlayHistory::ReadLog(m_szLogFile); }
    int AppendLog(const CPlayTime& session) { return CPlayHistory::AppendLog(m_szLogFile, session); }
    int ResetLog() { return CPlayHistory::ResetLog(m_szLogFile); }

    // Play (defined with the launch code): start, wait, measure, disc prompts. `session`
    // is the running play's record, owned by the play: started at launch, measured at the
    // end.
    CTitleProcess* m_hProcess = nullptr;  // the running program while a timed play waits
    // A timed start that failed: the errno, and whether it was the wait helper that could
    // not be run (else the title's program); or a play that turned out not to have run
    // the title (Wine failed at once), with the message that says so.
    struct StartFailure {
        int error = 0;
        bool helperFailed = false;
        std::string message;
        bool Failed() const { return error != 0 || !message.empty(); }
    };
    bool LaunchTimed(CPlayTime& session);
    // Waits for the title's end and measures the play. A failure of the start that came
    // only during the wait (the title never ran) is returned; none otherwise.
    StartFailure WaitTimed(CPlayTime& session);
    void ShowStartFailure(const StartFailure& failure) const;
    bool LaunchManual(CPlayTime& session);
    void RunWaitingDialog(CPlayTime& session);
    void PromptEject();
    bool LaunchUnrecorded();
    void WaitUnrecorded();
};
