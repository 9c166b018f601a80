#include "history/PlayLogParser.h"

#include "history/PlayLogRecord.h"

#include <cstring>
#include <limits>

void PlayLogParser::Feed(std::string_view bytes)
{
    while (!bytes.empty()) {
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data())
                           : bytes.size();
        size_t room = kMaxLine - m_line.size();
        if (end > room)
            m_lineTooLong = true;
        m_line.append(bytes.data(), end < room ? end : room);
        if (!found)
            return;
        TakeLine();
        bytes.remove_prefix(end + 1);
    }
}

void PlayLogParser::Finish()
{
    if (!m_line.empty() || m_lineTooLong)
        TakeLine();
    m_hasStart = false;
}

void PlayLogParser::TakeLine()
{
    std::string_view line = m_line;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    int seconds = 0;
    CPlayTime start;
    if (m_lineTooLong) {
        m_hasStart = false;
    } else if (PlayLogRecord::ParseStart(line, start)) {
        m_start = start;
        m_hasStart = true;
    } else if (m_hasStart && PlayLogRecord::ParseElapsed(line, seconds)) {
        if (m_sessions.size() < static_cast<size_t>(std::numeric_limits<int>::max())) {
            m_start.m_nElapsed = seconds < 0 ? 0 : seconds;
            m_start.SplitElapsed();
            m_sessions.push_back(m_start);
        }
        m_hasStart = false;
    } else {
        m_hasStart = false;
    }
    m_line.clear();
    m_lineTooLong = false;
}
