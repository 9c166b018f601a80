#pragma once

#include <functional>

class CZarn2App;
class CZarn2Doc;

// The two play commands of the main view, without the view itself: the checks, the
// busy and playing flags, the play, the record decision. The view passes its busy flag
// and what only it can do (refreshing the statistics, closing the main window).
class CPlayController {
public:
    enum class Outcome {
        NoTitle,     // no usable genre or title: the message was shown
        Busy,        // a recorded play is in progress: nothing done
        NotStarted,  // the title did not start (its message was shown)
        Started,     // played without history
        Recorded,    // played with history, session appended to the log
        Discarded,   // played with history, session not recorded
        Interrupted  // the desktop session ended during the play or its questions: its
                     // journal stays for the next start, which offers it
    };

    CPlayController(CZarn2Doc& doc, CZarn2App& app) : m_doc(doc), m_app(app) {}

    // Play with history. `busy` is the view's busy flag: nothing happens while it is set;
    // it is set (with the application's playing flag) for the play and cleared after it.
    // `updateStatistics` runs after the record decision, while the flags are still set.
    Outcome PlayRecorded(bool& busy, const std::function<void()>& updateStatistics);
    // Play without history (no flags are set on this path). When AutoExit is set,
    // `closeMainWindow` runs afterwards, whether the title started or not.
    Outcome PlayUnrecorded(bool busy, const std::function<void()>& closeMainWindow);

private:
    bool HasPlayableTitle();

    CZarn2Doc& m_doc;
    CZarn2App& m_app;
};
