#include "history/PlayLogEdit.h"

#include "history/PlayLogRecord.h"
#include "platform/IClock.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace {

using Record = RawPlayLog::Record;

// Records found in neither read keep this key; no operation names it.
constexpr int kForeign = std::numeric_limits<int>::min();
constexpr int kEpochYear = 2008;

auto StartOf(const CPlayTime& t)
{
    return std::make_tuple(t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute, t.m_nSecond);
}

// A record as another read finds it: its bytes without the line end of its last line, which
// an append adds to a log whose last line lacked it.
std::string_view Identity(const std::string& bytes)
{
    std::string_view view(bytes);
    if (!view.empty() && view.back() == '\n')
        view.remove_suffix(1);
    if (!view.empty() && view.back() == '\r')
        view.remove_suffix(1);
    return view;
}

Record PlayRecord(const CPlayTime& play)
{
    Record record;
    record.kind = Record::Kind::Play;
    record.time = play;
    record.time.SplitElapsed();
    record.bytes = PlayLogRecord::Format(record.time);
    return record;
}

}  // namespace

PlayLogEdit::PlayLogEdit(std::vector<Record> read) : m_read(std::move(read))
{
    Refresh();
}

int PlayLogEdit::RowOfKey(int key) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].key == key)
            return static_cast<int>(i);
    return -1;
}

bool PlayLogEdit::Changed() const
{
    if (m_entries.size() != m_read.size())
        return true;
    for (size_t i = 0; i < m_read.size(); ++i)
        if (m_entries[i].record.bytes != m_read[i].bytes)
            return true;
    return false;
}

void PlayLogEdit::Delete(const std::vector<int>& rows)
{
    std::vector<int> keys;
    for (int row : rows)
        if (row >= 0 && static_cast<size_t>(row) < m_rows.size())
            keys.push_back(m_rows[static_cast<size_t>(row)].key);
    for (int key : keys)
        m_operations.push_back({Operation::Kind::Delete, key, {}});
    Refresh();
}

int PlayLogEdit::Change(int row, const CPlayTime& play)
{
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return -1;
    int key = m_rows[static_cast<size_t>(row)].key;
    m_operations.push_back({Operation::Kind::Change, key, play});
    Refresh();
    return RowOfKey(key);
}

int PlayLogEdit::Add(const CPlayTime& play)
{
    int key = m_nextAdded--;
    m_operations.push_back({Operation::Kind::Add, key, play});
    Refresh();
    return RowOfKey(key);
}

bool PlayLogEdit::Overlaps(const CPlayTime& play, int except) const
{
    std::int64_t start = play.StampOfFields();
    std::int64_t end = start + play.m_nElapsed;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (static_cast<int>(i) == except)
            continue;
        std::int64_t otherStart = m_rows[i].play.StampOfFields();
        if (start < otherStart + m_rows[i].play.m_nElapsed && otherStart < end)
            return true;
    }
    return false;
}

PlayLogEdit::Refusal PlayLogEdit::Check(const CPlayTime& play, const LocalDateTime& now)
{
    if (play.m_nYear < kEpochYear)
        return Refusal::BeforeEpoch;
    if (StartOf(play) > std::make_tuple(now.year, now.month, now.day, now.hour, now.minute, now.second))
        return Refusal::Future;
    if (play.m_nElapsed < 0 || std::int64_t{play.StampOfFields()} + play.m_nElapsed > std::numeric_limits<int>::max())
        return Refusal::TooLong;
    return Refusal::None;
}

std::string PlayLogEdit::RefusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::BeforeEpoch:
        return "2008/01/01 00:00:00 より前の開始日時は記録できません.";
    case Refusal::Future:
        return "開始日時が現在より後です. 現在までの日時にして下さい.";
    case Refusal::TooLong:
        return "プレイ時間が長すぎます. 終了が 2076/01/19 03:14:07 を越えるプレイは記録できません.";
    case Refusal::None:
        break;
    }
    return {};
}

std::vector<PlayLogEdit::PlayChange> PlayLogEdit::Changes() const
{
    std::vector<PlayChange> changes;
    std::unordered_map<int, const Entry*> now;
    for (const Entry& entry : m_entries)
        now[entry.key] = &entry;
    for (size_t i = 0; i < m_read.size(); ++i) {
        if (!m_read[i].IsPlay())
            continue;
        auto kept = now.find(static_cast<int>(i));
        if (kept == now.end())
            changes.push_back({m_read[i].time, std::nullopt});
        else if (kept->second->record.bytes != m_read[i].bytes)
            changes.push_back({m_read[i].time, kept->second->record.time});
    }
    for (const Entry& entry : m_entries)
        if (entry.key < 0 && entry.key != kForeign && entry.record.IsPlay())
            changes.push_back({std::nullopt, entry.record.time});
    return changes;
}

std::string PlayLogEdit::Apply(const std::vector<Record>& fresh) const
{
    std::vector<Entry> entries = Replay(fresh);
    std::vector<Record> records;
    records.reserve(entries.size());
    for (Entry& entry : entries)
        records.push_back(std::move(entry.record));
    return RawPlayLog::Join(records);
}

// Each record of the first read is found in `read` by its bytes: the n-th record of the
// first read with given bytes is the n-th record of `read` with them.
std::vector<PlayLogEdit::Entry> PlayLogEdit::Replay(const std::vector<Record>& read) const
{
    std::unordered_map<std::string_view, std::vector<int>> firstRead;
    for (size_t i = m_read.size(); i-- > 0;)
        firstRead[Identity(m_read[i].bytes)].push_back(static_cast<int>(i));
    std::vector<Entry> entries;
    entries.reserve(read.size() + m_operations.size());
    for (const Record& record : read) {
        auto found = firstRead.find(Identity(record.bytes));
        int key = kForeign;
        if (found != firstRead.end() && !found->second.empty()) {
            key = found->second.back();
            found->second.pop_back();
        }
        entries.push_back({record, key});
    }
    // Deleted records are only marked until the end, so the index of keys holds until a
    // play is inserted (an add, or a change of a start), which the user makes one at a time.
    std::unordered_map<int, size_t> index;
    auto reindex = [&] {
        index.clear();
        for (size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].removed && entries[i].key != kForeign)
                index[entries[i].key] = i;
    };
    auto insertByStart = [&](Entry entry) {
        auto start = StartOf(entry.record.time);
        auto place = entries.end();
        for (auto it = entries.end(); it != entries.begin();) {
            --it;
            if (it->removed || !it->record.IsPlay())
                continue;
            if (StartOf(it->record.time) <= start) {
                place = it + 1;
                break;
            }
            place = it;
        }
        entries.insert(place, std::move(entry));
        reindex();
    };
    reindex();
    for (const Operation& op : m_operations) {
        auto found = index.find(op.key);
        Entry* target = found != index.end() ? &entries[found->second] : nullptr;
        if (target != nullptr) {
            bool inPlace = op.kind == Operation::Kind::Change && target->record.IsPlay() &&
                           StartOf(target->record.time) == StartOf(op.play);
            if (inPlace) {
                target->record = PlayRecord(op.play);
                continue;
            }
            target->removed = true;
            index.erase(found);
        }
        // A changed play whose record another writer removed is recorded as the user left it.
        if (op.kind != Operation::Kind::Delete)
            insertByStart({PlayRecord(op.play), op.key});
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const Entry& e) { return e.removed; }),
                  entries.end());
    return entries;
}

void PlayLogEdit::Refresh()
{
    m_entries = Replay(m_read);
    m_rows.clear();
    for (const Entry& entry : m_entries)
        if (entry.record.IsPlay())
            m_rows.push_back({entry.record.time, entry.key});
}
