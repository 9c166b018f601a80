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
        return At(CivilTime::DayNumber(session.m_nYear, session.m_nMonth, session.m_nDay), session,
                  session.m_nElapsed);
    }
    // A play of `seconds` that started at the time of day of `start` on day `day` (the day
    // number of its date).
    static Play At(std::int64_t day, const CPlayTime& start, std::int32_t seconds)
    {
        return Play{day * CivilTime::kDaySeconds + start.m_nHour * 3600 + start.m_nMinute * 60 + start.m_nSecond,
                    seconds};
    }
};
