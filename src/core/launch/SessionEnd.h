#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// The desktop session ending while the launcher runs (SIGTERM at log-out or shutdown,
// SIGHUP when the session goes): a recorded play that runs keeps its journal with the
// time played so far (CPlayJournal::Keep), so the next start offers it, and every event
// loop ends, so the launcher ends as after its window was closed (the library's files,
// the settings, the drive link), without a question. Watched from its construction to its
// destruction; a second signal ends the process at once.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    SessionEnd();
    ~SessionEnd() override;

    // The signal that asked the launcher to end, 0 while none did. A request before the
    // main loop runs is not undone by its start: the caller does not start it.
    int Requested() const { return m_nSignal; }

private:
    void OnSignal();
    void End(int signal);

    std::unique_ptr<QSocketNotifier> m_pNotifier;
    int m_nSignal = 0;
};
