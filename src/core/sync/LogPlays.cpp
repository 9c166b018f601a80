#include "sync/LogPlays.h"

#include "history/CPlayTime.h"
#include "history/PlayLogFile.h"
#include "platform/Format.h"

namespace LogPlays {

Journal::Play Of(const CPlayTime& s)
{
    return {Journal::Play::Start(s.m_nYear, s.m_nMonth, s.m_nDay, s.m_nHour, s.m_nMinute, s.m_nSecond), s.m_nElapsed};
}

Read Load(const std::string& path)
{
    Read read;
    read.error = PlayLogFile::Read(path, read.stamp, read.damaged, [&read](const CPlayTime& start, int seconds) {
        CPlayTime session = start;
        session.m_nElapsed = seconds;
        read.plays.push_back(Of(session));
    });
    return read;
}

std::uint64_t Digest(const std::vector<Journal::Play>& plays)
{
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    auto take = [&hash](std::string_view bytes) {
        for (char c : bytes)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    };
    for (const Journal::Play& play : plays) {
        take(std::to_string(play.start));
        take(std::to_string(play.seconds));
        take("\n");
    }
    return hash;
}

std::string Bytes(const std::vector<Journal::Play>& plays)
{
    std::string bytes;
    for (const Journal::Play& play : plays)
        bytes += play.StartText() + "\r\n" + std::to_string(play.seconds) + "\r\n";
    return bytes;
}

}  // namespace LogPlays
