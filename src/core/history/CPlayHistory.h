#pragma once

#include "history/CPlayTime.h"

#include <string>
#include <vector>

// A title's play history: the sessions of its log file and the figures derived from them.
// Rebuilt from the file whenever it is shown; the file is the only persistent state.
class CPlayHistory {
public:
    std::vector<CPlayTime> m_Session;  // one entry per logged session, in log order
    CPlayTime m_Current;               // the running session; after a read, the last one
    CPlayTime m_SessionAverage;        // elapsed fields only
    CPlayTime m_Total;                 // elapsed fields only
    int m_nSessionCount = 0;
    std::vector<CPlayTime> m_Day;      // one entry per group of consecutive same-date sessions
    CPlayTime m_LastDay;
    CPlayTime m_DayAverage;            // elapsed fields only
    int m_nDayCount = 0;

    // Rebuilds everything from the log; the number of sessions, or -1 (silently, nothing
    // changed) when the log cannot be opened.
    int ReadLog(const std::string& logPath);
    int ComputeSessionStats();
    int ComputeDayStats();
    // Appends m_Current as one session; the new session count, or 0 after a message.
    int AppendLog(const std::string& logPath) { return AppendSession(logPath, m_Current); }
    // Appends `session` (its start and elapsed) as one session; likewise.
    int AppendSession(const std::string& logPath, const CPlayTime& session);
    // Empties the log; 0, or -1 after a message.
    int ResetLog(const std::string& logPath);
    // Whether the session in m_Current is to be recorded (asks when shorter than the limit).
    bool ConfirmRecord(int limitMinite) const { return ConfirmSession(m_Current, limitMinite); }
    // Whether `session` is to be recorded: at once when it lasted at least `limitMinite`
    // minutes, otherwise as the user answers.
    static bool ConfirmSession(const CPlayTime& session, int limitMinite);
    void DiscardSession();
    // Forgets the sessions held in memory (the log is untouched).
    void ReleaseHistory();
};
