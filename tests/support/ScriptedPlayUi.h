#pragma once

#include "history/CPlayTime.h"
#include "launch/IPlayUi.h"

#include <functional>
#include <string>
#include <vector>

// Stands in for the play's window steps: records them in order ("minimize", "restore",
// "dialog", "dialog-noclock") and runs a test's action at the minimise step and inside
// the dialog (where a real play waits). Installs itself while it lives.
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

    std::vector<std::string> events;
    CPlayTime dialogClock;
    std::function<void()> onMinimize;
    std::function<void()> onDialog;

private:
    PlayUi::Override m_install{*this};
};
