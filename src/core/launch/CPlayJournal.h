#pragma once

#include "launch/PlayJournalText.h"
#include "platform/FileLock.h"

#include <QTimer>

#include <cstdint>
#include <string>

class IdleWatch;

// The journal of a recorded play while it runs, so that a launcher killed or crashed
// during a long play loses at most a minute of it: written when the play starts and
// again at every whole minute of measured play (from the event loop the play waits in),
// held locked while the play runs, written a last time once the play is measured, and
// removed once the play has been recorded or discarded. At the next start a journal that
// no launcher holds is a lost play (LostPlay), and so is one kept when the desktop session
// ended during the play (Keep).
class CPlayJournal {
public:
    static constexpr int kBeatMs = 60 * 1000;

    // The journal's place in the program's temporary folder.
    static std::string PathIn(const std::string& tempDir);

    // No journal is kept for an empty path.
    explicit CPlayJournal(std::string path);
    ~CPlayJournal() { End(); }
    CPlayJournal(const CPlayJournal&) = delete;
    CPlayJournal& operator=(const CPlayJournal&) = delete;

    // Reads `watch` at each beat and at Stop, and keeps its total in the journal.
    void WatchIdle(IdleWatch* watch) { m_pIdle = watch; }
    // Writes the journal of a play that started at `entry.start`, whose monotonic reading
    // the seconds are counted from, and keeps it up to date until End.
    void Begin(const PlayJournalEntry& entry);
    // Rewrites it with the seconds measured so far, and sets the next beat just past the
    // next whole kBeatMs of measured play.
    void Beat();
    // The play has ended after `seconds`: writes them (and the idle watch's last total) and
    // stops the beats, so that a launcher ending before the record decision leaves the
    // measured time. A write of the play that failed is reported now.
    void Stop(int seconds);
    // The session ends during the play or its record decision: writes the seconds played
    // so far (those measured, once the play has been) and stops the beats; End then leaves
    // the file for the next start, which offers the play.
    void Keep();
    bool Kept() const { return m_bKept; }
    // Removes it, unless kept.
    void End();

    // The journal of the play that runs in this process, from Begin to End (nullptr
    // between plays): the session's end keeps it.
    static CPlayJournal* Running() { return s_pRunning; }

private:
    std::int64_t PlayedMs();
    void Write();

    std::string m_path;
    PlayJournalEntry m_entry;
    FileLock m_lock;
    QTimer m_beat;
    bool m_bRunning = false;   // between Begin and Stop
    bool m_bKept = false;
    IdleWatch* m_pIdle = nullptr;
    int m_nWriteError = 0;  // the first failed write of the play, reported at Stop
    static CPlayJournal* s_pRunning;
};
