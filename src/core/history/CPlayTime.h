#pragma once

#include <cstdint>

struct LocalDateTime;

// A moment and a duration of play: the start date and time in local time, the seconds
// since 2008-01-01 00:00:00 local time, and an elapsed time with its split into hours,
// minutes and seconds.
struct CPlayTime {
    int m_nYear = 0;
    int m_nMonth = 0;          // 1-12
    int m_nDay = 0;            // 1-31
    int m_nHour = 0;           // 0-23
    int m_nMinute = 0;
    int m_nSecond = 0;
    int m_nStamp = 0;          // seconds since 2008-01-01 00:00:00 (signed 32-bit)
    int m_nElapsed = 0;        // a duration in seconds
    int m_nElapsedHour = 0;    // m_nElapsed / 3600 (not limited to 99)
    int m_nElapsedMinute = 0;  // (m_nElapsed % 3600) / 60
    int m_nElapsedSecond = 0;  // m_nElapsed % 60
    // Monotonic clock reading taken by Start(); durations are measured against it, so a
    // clock step, a daylight-saving change or a suspend does not count as play.
    std::int64_t m_nMonotonicMs = 0;

    void Clear();
    // Sets the date and time fields to the given moment (the stamp is left as it was).
    void SetMoment(const LocalDateTime& when);
    // The stamp of the date and time fields, left unstored.
    int StampOfFields() const;
    // Computes m_nStamp from the date and time fields, stores and returns it.
    int ComputeStamp();
    void SplitElapsed()
    {
        m_nElapsedHour = m_nElapsed / 3600;
        m_nElapsedMinute = (m_nElapsed % 3600) / 60;
        m_nElapsedSecond = m_nElapsed % 60;
    }
    // Reads the local clock into the date and time fields; false (after a message) when
    // the year is before 2008.
    bool Start();
    // Sets the elapsed fields to the time since Start(); returns them, 0 on failure.
    int Measure();
};
