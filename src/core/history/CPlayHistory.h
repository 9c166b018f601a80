#pragma once

#include "history/CPlayFigures.h"
#include "history/CPlayTime.h"
#include "platform/DiskVersion.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A title's play history: the sessions of its log file and the figures derived from them.
// Rebuilt from the file whenever it is shown; the file is the only persistent state. A
// running play is not held here (the play owns its session), so a read while a title
// runs cannot touch the session being measured.
class CPlayHistory {
public:
    std::vector<CPlayTime> m_Session;  // one entry per logged session, in log order
    int m_nSessionCount = 0;
    std::vector<CPlayTime> m_Day;      // one entry per group of consecutive same-date sessions
    int m_nDayCount = 0;
    // Tells this read of the log from every other one (0: nothing read). It goes wherever
    // the history goes when titles change slots, so a display can find what it showed.
    std::uint64_t m_nReadId = 0;
    // The log as last read, to tell that it changed since (plays appended by another PC).
    DiskVersion m_logVersion;

    // Rebuilds everything from the log; the number of sessions, or -1 (silently, nothing
    // changed) when the log cannot be opened.
    int ReadLog(const std::string& logPath);
    int ComputeSessionStats();
    int ComputeDayStats();
    // The sessions of day group `day`: the indexes of its first session and of the one
    // after its last ({0, 0} for a group it does not hold).
    std::pair<int, int> DaySessions(int day) const;
    // Appends `session` (its start and elapsed time); the new session count, or 0 after a
    // message.
    int AppendLog(const std::string& logPath, const CPlayTime& session);
    // Empties the log; 0, or -1 after a message. A log that changed since it was read
    // (plays added meanwhile, by another PC say) is read again and the question asked
    // again with the plays it holds now: 1 when the answer keeps it.
    int ResetLog(const std::string& logPath);
    // Whether a measured `session` is to be recorded (asks when shorter than the limit).
    static bool ConfirmRecord(const CPlayTime& session, int limitMinite);
    // Forgets the sessions held in memory (the log is untouched).
    void ReleaseHistory();
    // The figures as last worked out (ComputeSessionStats, ComputeDayStats); all zero before.
    const CPlayFigures& Figures() const;

private:
    // The figures, made when first worked out: a library has over 4,000 title slots and the
    // figures of one title are shown at a time, so a slot without them stays small. A copy
    // of the history copies them.
    struct HeldFigures {
        std::unique_ptr<CPlayFigures> figures;

        HeldFigures() = default;
        HeldFigures(const HeldFigures& other) { *this = other; }
        HeldFigures& operator=(const HeldFigures& other)
        {
            if (this != &other)
                figures = other.figures ? std::make_unique<CPlayFigures>(*other.figures) : nullptr;
            return *this;
        }
        HeldFigures(HeldFigures&&) noexcept = default;
        HeldFigures& operator=(HeldFigures&&) noexcept = default;
        ~HeldFigures() = default;
    };
    HeldFigures m_figures;
    CPlayFigures& WorkedFigures();
};
