#include "sync/LogUnion.h"

#include "history/PlayLogParser.h"
#include "history/PlayLogRecord.h"

#include <algorithm>

LogUnion::LogUnion(std::string_view current)
{
    m_currentDamaged = Take(current);
}

size_t LogUnion::Add(std::string_view copy)
{
    size_t before = m_plays.size();
    size_t damaged = Take(copy);
    m_grew = m_grew || m_plays.size() > before;
    return damaged;
}

std::string LogUnion::Bytes() const
{
    std::vector<const CPlayTime*> order;
    order.reserve(m_plays.size());
    for (const CPlayTime& play : m_plays)
        order.push_back(&play);
    std::stable_sort(order.begin(), order.end(), [](const CPlayTime* a, const CPlayTime* b) {
        Key x = KeyOf(*a), y = KeyOf(*b);
        return std::lexicographical_compare(x.begin(), x.end() - 1, y.begin(), y.end() - 1);
    });
    std::string bytes;
    for (const CPlayTime* play : order)
        bytes += PlayLogRecord::Format(*play);
    return bytes;
}

LogUnion::Key LogUnion::KeyOf(const CPlayTime& p)
{
    return {p.m_nYear, p.m_nMonth, p.m_nDay, p.m_nHour, p.m_nMinute, p.m_nSecond, p.m_nElapsed};
}

size_t LogUnion::Take(std::string_view bytes)
{
    PlayLogParser parser;
    parser.Reserve(bytes.size() / PlayLogParser::kMinRecordBytes + 1);
    parser.Feed(bytes);
    parser.Finish();
    for (const CPlayTime& play : parser.Sessions())
        if (m_keys.insert(KeyOf(play)).second)
            m_plays.push_back(play);
    return parser.Skipped();
}
