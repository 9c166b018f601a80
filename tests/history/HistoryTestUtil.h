#pragma once

#include "history/CPlayTime.h"

#include <string>
#include <tuple>

// A logged session: start date and time, duration in seconds.
inline CPlayTime MakeSession(int y, int mo, int d, int h, int mi, int s, int elapsed)
{
    CPlayTime t;
    t.m_nYear = y;
    t.m_nMonth = mo;
    t.m_nDay = d;
    t.m_nHour = h;
    t.m_nMinute = mi;
    t.m_nSecond = s;
    t.m_nElapsed = elapsed;
    t.SplitElapsed();
    return t;
}

// "HH:MM:SS" of the elapsed fields, the way the statistics show them.
inline std::string Hms(const CPlayTime& t)
{
    return std::to_string(t.m_nElapsedHour) + ":" + std::to_string(t.m_nElapsedMinute) + ":" +
           std::to_string(t.m_nElapsedSecond);
}

// Every field, for comparing whole records.
inline auto Fields(const CPlayTime& t)
{
    return std::make_tuple(t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute, t.m_nSecond,
                           t.m_nStamp, t.m_nElapsed, t.m_nElapsedHour, t.m_nElapsedMinute,
                           t.m_nElapsedSecond, t.m_nMonotonicMs);
}
