#include "history/PlayLogParser.h"

#include "history/PlayLogRecord.h"

#include <algorithm>
#include <cstring>
#include <limits>

void PlayLogParser::Feed(std::string_view bytes)
{
    while (!bytes.empty()) {
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data())
                           : bytes.size();
        // A whole line inside these bytes is read where it lies; only a line split between
        // two pieces is gathered first.
        if (found && m_line.empty() && !m_lineTooLong) {
            bool tooLong = end > kMaxLine;
            TakeLine(bytes.substr(0, tooLong ? kMaxLine : end), tooLong);
            bytes.remove_prefix(end + 1);
            continue;
        }
        size_t room = kMaxLine - m_line.size();
        if (end > room)
            m_lineTooLong = true;
        m_line.append(bytes.data(), end < room ? end : room);
        if (!found)
            return;
        TakeLine(m_line, m_lineTooLong);
        m_line.clear();
        m_lineTooLong = false;
        bytes.remove_prefix(end + 1);
    }
}

void PlayLogParser::Finish()
{
    if (!m_line.empty() || m_lineTooLong)
        TakeLine(m_line, m_lineTooLong);
    m_line.clear();
    m_lineTooLong = false;
    if (m_hasStart)
        ++m_skipped;
    m_hasStart = false;
    m_inDamage = false;
}

void PlayLogParser::Reserve(size_t sessions)
{
    m_sessions.reserve(std::min(sessions, kMaxReserve));
}

// A start line and a duration line never look alike (a start line has its "/"), so the
// duration is tried first whenever a start is waiting for it.
void PlayLogParser::TakeLine(std::string_view line, bool tooLong)
{
    // Carriage returns before the "\n" (or at the end of the file) belong to the line end;
    // one anywhere else leaves a line that is no record, as the text readers see it.
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    int seconds = 0;
    bool waiting = m_hasStart;
    if (!tooLong && waiting && PlayLogRecord::ParseElapsed(line, seconds)) {
        if (m_take) {
            m_take(m_start, seconds < 0 ? 0 : seconds);
        } else if (m_sessions.size() < static_cast<size_t>(std::numeric_limits<int>::max())) {
            // The duration goes straight into the session's place in the list.
            CPlayTime& session = m_sessions.emplace_back(m_start);
            session.m_nElapsed = seconds < 0 ? 0 : seconds;
            session.SplitElapsed();
        }
        m_hasStart = false;
        return;
    }
    // The start fields are written straight into the waiting start (a line that is no
    // start leaves them as they were).
    m_hasStart = !tooLong && PlayLogRecord::ParseStart(line, m_start);
    if (waiting || (!m_hasStart && !line.empty() && !m_inDamage)) {
        // A start without its duration, or the first line of a stretch that is no record
        // (the lines after it up to the next start belong to the same damage).
        ++m_skipped;
        m_inDamage = !m_hasStart;
    } else if (m_hasStart) {
        m_inDamage = false;
    }
}
