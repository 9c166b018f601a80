#include "launch/CPlayJournal.h"

#include "launch/IdleWatch.h"
#include "platform/Format.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <cstdint>
#include <utility>

std::string CPlayJournal::PathIn(const std::string& tempDir)
{
    return tempDir + "/play.journal";
}

CPlayJournal::CPlayJournal(std::string path) : m_path(std::move(path))
{
    m_beat.setInterval(kBeatMs);
    m_beat.setTimerType(Qt::VeryCoarseTimer);
    m_beat.callOnTimeout([this] { Beat(); });
}

void CPlayJournal::Begin(const PlayJournalEntry& entry)
{
    if (m_path.empty())
        return;
    m_entry = entry;
    m_bReported = false;
    Beat();
    m_beat.start();
}

void CPlayJournal::Beat()
{
    std::int64_t ms = Clock::Get().MonotonicMs() - m_entry.start.m_nMonotonicMs;
    m_entry.seconds = static_cast<int>(std::clamp<std::int64_t>(ms / 1000, 0, INT32_MAX));
    if (m_pIdle)
        m_entry.idleSeconds = m_pIdle->Sample();
    Write();
}

void CPlayJournal::Stop(int seconds)
{
    if (!m_beat.isActive())
        return;
    m_beat.stop();
    m_entry.seconds = std::max(seconds, 0);
    if (m_pIdle)
        m_entry.idleSeconds = m_pIdle->End();
    Write();
}

void CPlayJournal::End()
{
    m_beat.stop();
    if (m_lock.Held())
        m_lock.Remove(m_path);
}

// A journal that cannot be written leaves the play itself alone; the user learns once
// that a crash would now lose it.
void CPlayJournal::Write()
{
    int error = m_lock.Replace(m_path, PlayJournalText::Format(m_entry));
    if (error == 0 || m_bReported)
        return;
    m_bReported = true;
    Messenger::Show(Format("ERROR[%d] : プレイの途中経過<%s>を書き込めませんでした,\n"
                           "このプレイはランチャーが異常終了すると記録されません.",
                           error, m_path.c_str()));
}
