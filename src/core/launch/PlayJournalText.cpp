#include "launch/PlayJournalText.h"

#include "history/PlayLogRecord.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 7> kKeys = {"genre", "title", "log", "start", "stamp", "seconds", "idle"};
constexpr size_t kIdleKey = 6;  // the one key a journal may lack

std::string Escape(std::string_view value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

bool Unescape(std::string_view value, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return false;
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

// The start line of the log's record: "YYYY/MM/DD,hh:mm:ss".
std::string StartLine(const CPlayTime& start)
{
    std::string record = PlayLogRecord::Format(start);
    return record.substr(0, record.find('\r'));
}

bool Store(size_t key, const std::string& value, PlayJournalEntry& out)
{
    switch (key) {
    case 0:
        out.genre = value;
        return true;
    case 1:
        out.title = value;
        return true;
    case 2:
        out.logPath = value;
        return true;
    case 3:
        return PlayLogRecord::ParseStart(value, out.start);
    case 4:
        return PlayLogRecord::ParseElapsed(value, out.start.m_nStamp);
    case 5:
        return PlayLogRecord::ParseElapsed(value, out.seconds) && out.seconds >= 0;
    default:
        return PlayLogRecord::ParseElapsed(value, out.idleSeconds) && out.idleSeconds >= 0;
    }
}

}  // namespace

namespace PlayJournalText {

std::string Format(const PlayJournalEntry& entry)
{
    const std::string values[] = {Escape(entry.genre),
                                  Escape(entry.title),
                                  Escape(entry.logPath),
                                  StartLine(entry.start),
                                  std::to_string(entry.start.m_nStamp),
                                  std::to_string(entry.seconds),
                                  std::to_string(entry.idleSeconds)};
    std::string text;
    for (size_t i = 0; i < kKeys.size(); ++i)
        text.append(kKeys[i]).append("=").append(values[i]).append("\n");
    return text;
}

bool Parse(std::string_view text, PlayJournalEntry& out)
{
    std::array<bool, kKeys.size()> seen{};
    out.idleSeconds = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return false;  // cut short
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        size_t eq = line.find('=');
        size_t key = 0;
        while (key < kKeys.size() && kKeys[key] != line.substr(0, eq))
            ++key;
        std::string value;
        if (eq == std::string_view::npos || key == kKeys.size() || seen[key] ||
            !Unescape(line.substr(eq + 1), value) || !Store(key, value, out))
            return false;
        seen[key] = true;
    }
    for (size_t key = 0; key < kKeys.size(); ++key)
        if (!seen[key] && key != kIdleKey)
            return false;
    int stamp = out.start.m_nStamp;
    return out.start.ComputeStamp() == stamp;
}

}  // namespace PlayJournalText
