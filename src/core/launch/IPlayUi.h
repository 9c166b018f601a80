#pragma once

#include "platform/Seam.h"

#include <functional>
#include <string>

struct CPlayTime;

// What a play needs from the windows: minimising and restoring the main window while a
// recorded title runs, and the "プレイ中" dialog. The application installs the Qt one;
// tests install a scripted one. Without one the window steps do nothing and the dialog
// returns at once.
class IPlayUi {
public:
    virtual ~IPlayUi() = default;
    virtual void MinimizeMainWindow() = 0;
    virtual void RestoreMainWindow() = 0;
    // Shows the waiting dialog modally until the user ends it. `clock` is the session's
    // start; with `noClock` the dialog shows no running time.
    virtual void RunWaitingDialog(const CPlayTime& clock, bool noClock) = 0;
    // The waiting dialog of a timed play whose first process has ended while others still
    // run, or that waits for the game its title handed its start to: shown without waiting
    // for it (the play's own wait goes on), counting from the start of `clock`, with a line
    // saying what the play waits for ("実行中: …", "待機中: …"). A second call only changes
    // that line. `end` runs when the user presses "終 了".
    virtual void ShowStillRunning(const CPlayTime& clock, const std::string& running,
                                  const std::function<void()>& end) = 0;
    // Closes that dialog (the play is over).
    virtual void CloseStillRunning() = 0;
};

template <>
IPlayUi& Seam<IPlayUi>::Fallback();

using PlayUi = Seam<IPlayUi>;
