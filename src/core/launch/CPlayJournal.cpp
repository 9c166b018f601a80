#include "launch/CPlayJournal.h"

#include "launch/IdleWatch.h"
#include "platform/Format.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <cstdint>
#include <utility>

CPlayJournal* CPlayJournal::s_pRunning = nullptr;

std::string CPlayJournal::PathIn(const std::string& tempDir)
{
    return tempDir + "/" + PlayJournalText::kFileName;
}

// A beat is one precise single-shot timer a minute. A coarse timer may fire up to a second
// early and would write 59 s for the first minute; a precise one never fires early, and
// each beat is set from the measured time, so the beats stay on the minutes of play.
CPlayJournal::CPlayJournal(std::string path) : m_path(std::move(path))
{
    m_beat.setSingleShot(true);
    m_beat.setTimerType(Qt::PreciseTimer);
    m_beat.callOnTimeout([this] { Beat(); });
}

void CPlayJournal::Begin(const PlayJournalEntry& entry)
{
    if (m_path.empty())
        return;
    m_entry = entry;
    m_nWriteError = 0;
    m_bRunning = true;
    m_bKept = false;
    s_pRunning = this;
    Beat();
}

void CPlayJournal::Beat()
{
    // The beat lands this much past the whole minute, so that the seconds written are at
    // least that minute even when the readings of the clock are rounded.
    constexpr std::int64_t kPastTheMinuteMs = 50;
    if (!m_bRunning)
        return;
    std::int64_t ms = PlayedMs();
    if (m_pIdle)
        m_entry.idleSeconds = m_pIdle->Sample();
    Write();
    std::int64_t next = (ms / kBeatMs + 1) * kBeatMs + kPastTheMinuteMs;
    m_beat.start(static_cast<int>(next - ms));
}

void CPlayJournal::Stop(int seconds)
{
    if (!m_bRunning)
        return;
    m_bRunning = false;
    m_beat.stop();
    m_entry.seconds = std::max(seconds, 0);
    if (m_pIdle)
        m_entry.idleSeconds = m_pIdle->End();
    Write();
    if (m_nWriteError != 0)
        Messenger::Show(Format("ERROR[%d] : プレイの途中経過<%s>を書き込めませんでした,\n"
                               "このプレイはランチャーが異常終了すると記録されません.",
                               m_nWriteError, m_path.c_str()));
}

// A play still timed gets the seconds up to now; a measured one keeps its measure. The
// file is written again either way, so that a write that failed during the play is tried
// once more.
void CPlayJournal::Keep()
{
    if (s_pRunning != this)
        return;
    if (m_bRunning) {
        PlayedMs();
        if (m_pIdle)
            m_entry.idleSeconds = m_pIdle->End();
    }
    m_bRunning = false;
    m_bKept = true;
    m_beat.stop();
    Write();
}

void CPlayJournal::End()
{
    m_bRunning = false;
    m_beat.stop();
    if (s_pRunning == this)
        s_pRunning = nullptr;
    if (m_lock.Held() && !m_bKept)
        m_lock.Remove(m_path);
}

// The measured play up to now, whose whole seconds the entry takes.
std::int64_t CPlayJournal::PlayedMs()
{
    std::int64_t ms = std::max<std::int64_t>(Clock::Get().MonotonicMs() - m_entry.start.m_nMonotonicMs, 0);
    m_entry.seconds = static_cast<int>(std::min<std::int64_t>(ms / 1000, INT32_MAX));
    return ms;
}

// A journal that cannot be written leaves the play itself alone; the user learns once,
// when the play has been measured (Stop), that a crash would now lose it. A message box
// during the play would hold up the wait for the title's end, and so its measure.
void CPlayJournal::Write()
{
    int error = m_lock.Replace(m_path, PlayJournalText::Format(m_entry));
    if (m_nWriteError == 0)
        m_nWriteError = error;
}
