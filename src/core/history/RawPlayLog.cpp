#include "history/RawPlayLog.h"

#include "history/PlayLogParser.h"
#include "history/PlayLogRecord.h"

#include <algorithm>

namespace {

using Record = RawPlayLog::Record;

bool EndsLine(const std::string& bytes) { return !bytes.empty() && bytes.back() == '\n'; }

// A control character that text never holds (tab, line ends, form feed and the end-of-file
// mark of old DOS editors aside).
bool IsBinary(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && byte != 0x1A) || byte == 0x7F;
}

}  // namespace

namespace RawPlayLog {

// The same pairing as the log reader's: a duration is tried first while a start waits, a
// line longer than the reader takes is never a start or a duration, and a start that does
// not get its duration stands alone.
std::vector<Record> Split(std::string_view bytes)
{
    std::vector<Record> records;
    Record waiting;
    bool hasStart = false;
    while (!bytes.empty()) {
        size_t newline = bytes.find('\n');
        size_t length = newline == std::string_view::npos ? bytes.size() : newline + 1;
        std::string_view line = bytes.substr(0, length);
        bytes.remove_prefix(length);
        std::string_view text = line.substr(0, newline == std::string_view::npos ? line.size() : newline);
        bool tooLong = text.size() > PlayLogParser::kMaxLine;
        while (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        int seconds = 0;
        if (hasStart && !tooLong && PlayLogRecord::ParseElapsed(text, seconds)) {
            waiting.kind = Record::Kind::Play;
            waiting.bytes.append(line);
            waiting.time.m_nElapsed = std::max(seconds, 0);
            waiting.time.SplitElapsed();
            records.push_back(std::move(waiting));
            waiting = Record{};
            hasStart = false;
            continue;
        }
        if (hasStart)
            records.push_back(std::move(waiting));
        waiting = Record{};
        hasStart = !tooLong && PlayLogRecord::ParseStart(text, waiting.time);
        waiting.bytes.assign(line);
        if (hasStart) {
            waiting.kind = Record::Kind::LoneStart;
            continue;
        }
        records.push_back(std::move(waiting));
        waiting = Record{};
    }
    if (hasStart)
        records.push_back(std::move(waiting));
    return records;
}

std::string Join(const std::vector<Record>& records)
{
    std::string bytes;
    size_t size = 0;
    for (const Record& record : records)
        size += record.bytes.size() + 2;
    bytes.reserve(size);
    for (size_t i = 0; i < records.size(); ++i) {
        bytes += records[i].bytes;
        if (i + 1 < records.size() && !EndsLine(records[i].bytes))
            bytes += "\r\n";
    }
    return bytes;
}

std::string Problem(std::string_view bytes, const std::vector<Record>& records)
{
    if (bytes.find('\0') != std::string_view::npos)
        return "NUL 文字が含まれています (バイナリデータか UTF-16 のテキストと思われます).";
    // A log whose plays were all deleted may still hold damaged lines (kept as they are): it is
    // a log with no plays. Only bytes no text holds tell another kind of file.
    bool play = std::any_of(records.begin(), records.end(),
                            [](const Record& record) { return record.kind != Record::Kind::Other; });
    if (!play && std::any_of(bytes.begin(), bytes.end(), IsBinary))
        return "テキストにはない制御文字が含まれています (バイナリデータと思われます).";
    return {};
}

}  // namespace RawPlayLog
