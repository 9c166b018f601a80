#include "launch/IdleWatch.h"

#include "platform/IClock.h"
#include "platform/IIdleSource.h"

#include <algorithm>
#include <climits>

bool IdleWatch::Begin(std::int64_t playStartMs)
{
    End();
    m_stretches.reset();
    if (m_thresholdMinutes <= 0 || !IdleSource::Get().Open())
        return false;
    m_source = &IdleSource::Get();
    m_stretches.emplace(static_cast<std::int64_t>(m_thresholdMinutes) * 60 * 1000, playStartMs);
    return true;
}

int IdleWatch::Sample()
{
    if (m_source) {
        IdleReading reading = m_source->Read();
        m_stretches->Add(Clock::Get().MonotonicMs(), reading.idleMs, reading.controller);
    }
    return Seconds();
}

int IdleWatch::End()
{
    if (!m_source)
        return Seconds();
    int seconds = Sample();
    m_source->Close();
    m_source = nullptr;
    return seconds;
}

int IdleWatch::Seconds() const
{
    return m_stretches ? static_cast<int>(std::min<std::int64_t>(m_stretches->TotalMs() / 1000, INT_MAX)) : 0;
}
