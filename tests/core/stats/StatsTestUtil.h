#pragma once

#include "history/PlayLogRecord.h"
#include "stats/Play.h"

#include <string>

// A play from a start line of the log's form ("2009/03/07,21:05:09") and its seconds.
inline Play At(const char* start, int seconds)
{
    CPlayTime session;
    if (!PlayLogRecord::ParseStart(start, session))
        throw std::string("bad start line in a test: ") + start;
    session.m_nElapsed = seconds;
    return Play::From(session);
}

// "YYYY-MM-DD" of a day number.
inline std::string DateText(std::int64_t day)
{
    CivilTime::Date date = CivilTime::DateOf(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year), date.month,
                  date.day);
    return text;
}
