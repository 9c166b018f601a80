#pragma once

#include "history/CPlayTime.h"
#include "launch/IPlayUi.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the play's window steps: records them in order ("minimize", "restore",
// "dialog", "dialog-noclock") and runs a test's action at the minimise step and inside
// the dialog (where a real play waits). The still-running dialog records the names it
// was given and, with `endStillRunning`, is ended at once as a user would. Installs itself
// while it lives.
class ScriptedPlayUi final : public IPlayUi {
public:
    void MinimizeMainWindow() override
    {
        events.push_back("minimize");
        if (onMinimize)
            onMinimize();
    }
    void RestoreMainWindow() override { events.push_back("restore"); }
    void RunWaitingDialog(const CPlayTime& clock, bool noClock) override
    {
        events.push_back(noClock ? "dialog-noclock" : "dialog");
        dialogClock = clock;
        if (onDialog)
            onDialog();
    }

    void ShowStillRunning(const CPlayTime&, const std::string& running,
                          const std::function<void()>& end) override
    {
        stillRunning.push_back(running);
        if (endStillRunning)
            end();
    }
    void CloseStillRunning() override { stillRunningClosed = true; }

    std::vector<std::string> events;
    std::vector<std::string> stillRunning;
    bool endStillRunning = false;
    bool stillRunningClosed = false;
    CPlayTime dialogClock;
    std::function<void()> onMinimize;
    std::function<void()> onDialog;

private:
    PlayUi::Override m_install{*this};
};
