#include "import/LogMerge.h"

#include "history/PlayLogEdit.h"
#include "history/PlayLogRecord.h"
#include "history/PlayLogRewrite.h"
#include "platform/AtomicFile.h"
#include "platform/IClock.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

namespace {

using Start = std::array<int, 6>;
using Key = std::pair<Start, int>;  // a play's start and seconds

Start StartOf(const CPlayTime& t) { return {t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute, t.m_nSecond}; }

std::string ErrorText(int error) { return "ERROR[" + std::to_string(error) + "]"; }

}  // namespace

namespace LogMerge {

std::string Merged(const std::vector<RawPlayLog::Record>& records, const std::vector<CPlayTime>& plays,
                   const LocalDateTime& now, Counts& counts)
{
    std::set<Key> held;
    std::vector<std::pair<Start, size_t>> starts;  // each play of the log and its record's index
    for (size_t i = 0; i < records.size(); ++i) {
        if (!records[i].IsPlay())
            continue;
        held.insert({StartOf(records[i].time), records[i].time.m_nElapsed});
        starts.push_back({StartOf(records[i].time), i});
    }
    std::vector<CPlayTime> fresh;
    for (const CPlayTime& play : plays) {
        if (PlayLogEdit::Check(play, now) != PlayLogEdit::Refusal::None)
            ++counts.refused;
        else if (!held.insert({StartOf(play), play.m_nElapsed}).second)
            ++counts.present;
        else
            fresh.push_back(play);
    }
    counts.added += fresh.size();
    std::stable_sort(fresh.begin(), fresh.end(),
                     [](const CPlayTime& a, const CPlayTime& b) { return StartOf(a) < StartOf(b); });
    std::sort(starts.begin(), starts.end());
    // A play goes after the log's last play (in file order) that started no later; the
    // plays sorted, that record only moves on.
    std::vector<std::vector<CPlayTime>> after(records.size() + 1);  // [i + 1]: after record i; [0]: before the first play
    size_t next = 0, last = 0;
    bool any = false;
    for (const CPlayTime& play : fresh) {
        for (; next < starts.size() && starts[next].first <= StartOf(play); ++next) {
            last = any ? std::max(last, starts[next].second) : starts[next].second;
            any = true;
        }
        after[any ? last + 1 : 0].push_back(play);
    }
    size_t firstPlay = records.size();
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].IsPlay()) {
            firstPlay = i;
            break;
        }
    }
    std::vector<RawPlayLog::Record> out;
    auto put = [&out](const std::vector<CPlayTime>& list) {
        for (CPlayTime play : list) {
            play.SplitElapsed();
            out.push_back({RawPlayLog::Record::Kind::Play, PlayLogRecord::Format(play), play});
        }
    };
    for (size_t i = 0; i <= records.size(); ++i) {
        if (i == firstPlay)
            put(after[0]);
        if (i == records.size())
            break;
        out.push_back(records[i]);
        put(after[i + 1]);
    }
    return RawPlayLog::Join(out);
}

std::string Into(const std::string& path, const std::vector<CPlayTime>& plays, Counts& counts)
{
    std::string bytes;
    if (int error = RegularFile::ReadAtMost(path, PlayLogRewrite::kMaxBytes, bytes))
        return ErrorText(error) + " : ログファイル<" + path + ">を読めませんでした.";
    std::vector<RawPlayLog::Record> records = RawPlayLog::Split(bytes);
    if (std::string problem = RawPlayLog::Problem(bytes, records); !problem.empty())
        return "ログファイル<" + path + ">はプレイ記録のファイルとして読めません: " + problem;
    Counts these;
    std::string merged = Merged(records, plays, Clock::Get().Now(), these);
    if (these.added > 0) {
        if (int error = AtomicFile::Replace(path, merged))
            return ErrorText(error) + " : ログファイル<" + path + ">に書き込めませんでした.";
    }
    counts.added += these.added;
    counts.present += these.present;
    counts.refused += these.refused;
    return {};
}

}  // namespace LogMerge
