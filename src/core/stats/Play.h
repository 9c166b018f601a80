#pragma once

#include "history/CPlayTime.h"
#include "stats/CivilTime.h"

#include <cstdint>

// One logged play as the figures and the export use it: its start as a local time (see
// CivilTime) and its duration.
struct Play {
    std::int64_t start = 0;
    std::int32_t seconds = 0;

    static Play From(const CPlayTime& session)
    {
        std::int64_t day = CivilTime::DayNumber(session.m_nYear, session.m_nMonth, session.m_nDay);
        return Play{day * CivilTime::kDaySeconds + session.m_nHour * 3600 + session.m_nMinute * 60 +
                        session.m_nSecond,
                    session.m_nElapsed};
    }
};
