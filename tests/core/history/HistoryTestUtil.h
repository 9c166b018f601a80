#pragma once

#include "history/CPlayTime.h"

#include <string>

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
