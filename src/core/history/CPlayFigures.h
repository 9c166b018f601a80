#pragma once

#include "history/CPlayTime.h"

// The figures worked out from a play history's sessions.
struct CPlayFigures {
    CPlayTime m_Current;         // the last logged session
    CPlayTime m_SessionAverage;  // elapsed fields only
    CPlayTime m_Total;           // elapsed fields only
    CPlayTime m_LastDay;
    CPlayTime m_DayAverage;      // elapsed fields only
};
