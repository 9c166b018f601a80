#pragma once

#include "launch/GameMarks.h"
#include "platform/ScopedFd.h"
#include "platform/UserProcesses.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QEventLoop;
class QSocketNotifier;
class QTimer;

// The rest of a timed play once the command it started has ended: the game the title
// asked for may run elsewhere, started by a client that was already running or by a copy
// of the program that was open. Looks for it (GameLook) as HandOffRules say, then waits for
// its processes to end: each through a descriptor that tells its end (no polling; where the
// kernel has none, a look every lookMs), looking again at each end for new processes of the
// game. The wait is a nested event loop, so the launcher's windows stay live.
class CGameFollower {
public:
    enum class Outcome {
        NotFound,  // no game: the play is what the command lasted
        Followed,  // the game ran until its last process ended, or the user ended the play
        OpenCopy   // the command only handed over to a copy that was already open
    };

    // `beganBootMs`: the play's start on UserProcesses::BootMsNow()'s clock.
    CGameFollower(GameMarks marks, std::int64_t beganBootMs);
    ~CGameFollower();
    CGameFollower(const CGameFollower&) = delete;
    CGameFollower& operator=(const CGameFollower&) = delete;

    // Runs once the command has ended (the monotonic clock of Clock, now), after running
    // `commandMs`.
    Outcome Run(std::int64_t commandMs);
    // The user's "終 了": a game that was found has been played until now; a search ends
    // with nothing found.
    void Stop();
    // The time after the command's end that is no play: until the game's first process
    // started, or the whole search when nothing was followed; and the last look's wait for
    // a process the game may be starting (kConfirmMs).
    std::int64_t LeftOutMs() const { return m_nLeftOutMs; }

    // Called with what the play waits for: "待機中: <the marks>" while it looks, then
    // "実行中: <names>" and again whenever the names change.
    std::function<void(const std::string& line)> onWaiting;

    // When the game's last process has ended, one more look this much later finds a next one
    // the game started but the look could not read yet (its environment is empty while it
    // is exec'd, its name still its parent's).
    static constexpr int kConfirmMs = 250;

private:
    void Look();
    void Search(bool found, bool openCopy, std::vector<UserProcess>& processes);
    void Watch(std::vector<UserProcess> processes);
    void Gone();
    void LookLater(int ms);
    void Finish(Outcome outcome);
    void Tell(const std::string& line);

    GameMarks m_marks;
    UserProcessList m_processes;
    std::int64_t m_nEndMs = 0;       // the command's end, monotonic
    bool m_bQuick = false;
    bool m_bSearching = true;
    int m_nLooks = 0;
    bool m_bDone = false;
    Outcome m_outcome = Outcome::NotFound;
    std::int64_t m_nLeftOutMs = 0;
    std::int64_t m_nGoneSinceMs = -1;  // monotonic: the game's last process seen ended
    std::string m_lastLine;
    QEventLoop* m_pLoop = nullptr;
    std::unique_ptr<QTimer> m_pLookTimer;
    // What tells each followed process's end, by pid.
    struct EndWatch {
        ScopedFd fd;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    std::map<int, EndWatch> m_ends;
};
