#include "history/RawPlayLog.h"

#include "history/PlayLogParser.h"
#include "history/PlayLogRecord.h"

#include <algorithm>

namespace {

using Record = RawPlayLog::Record;

bool EndsLine(const std::string& bytes) { return !bytes.empty() && bytes.back() == '\n'; }

bool IsBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
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
    bool blank = true;
    for (const Record& record : records) {
        if (record.kind != Record::Kind::Other)
            return {};
        blank = blank && IsBlank(std::string_view(record.bytes).substr(0, record.bytes.find('\n')));
    }
    return blank ? std::string() : "プレイの開始日時の行がありません.";
}

}  // namespace RawPlayLog
