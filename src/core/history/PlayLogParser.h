#pragma once

#include "history/CPlayTime.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Turns the bytes of a title's log into sessions. The bytes may arrive in pieces of any
// size. A session is a start line immediately followed by its duration line; lines end in
// "\n" or "\r\n" (a lone "\r" ends no line, as in TextFileReader). Anything else is
// skipped, and every start line begins a new session, so a damaged record (a start line
// without its duration, left by a program that stopped while writing, or a line of
// garbage) costs only itself and never shifts the records after it. A start line still
// waiting for its duration at the end is dropped. A negative duration (possible only from
// a clock set back in older logs) counts as 0 s.
class PlayLogParser {
public:
    // Lines longer than this are damaged; only their first bytes are kept for checking.
    static constexpr size_t kMaxLine = 998;
    // The shortest record the launcher writes ("YYYY/MM/DD,hh:mm:ss\r\n0\r\n").
    static constexpr size_t kMinRecordBytes = 24;
    static constexpr size_t kMaxReserve = 1u << 15;

    // Room for `sessions` sessions ahead of the reading (held to a bound, so a large file of
    // anything else does not take memory before its lines are seen).
    void Reserve(size_t sessions);
    void Feed(std::string_view bytes);
    // Ends the input (a last line without its line end is still taken).
    void Finish();

    std::vector<CPlayTime>& Sessions() { return m_sessions; }
    // Hands each session to `take` as soon as it is read (its start's fields and its
    // duration, the split of the duration left undone) instead of keeping it in Sessions().
    using Take = std::function<void(const CPlayTime& start, int seconds)>;
    void SendTo(Take take) { m_take = std::move(take); }
    // Damaged records left out: a start line that did not get its duration, or a stretch
    // of lines between records that holds no record (blank lines aside).
    size_t Skipped() const { return m_skipped; }

private:
    // One whole line without its "\n"; `tooLong` when only its first bytes are in it.
    void TakeLine(std::string_view line, bool tooLong);

    std::vector<CPlayTime> m_sessions;
    Take m_take;
    std::string m_line;
    bool m_lineTooLong = false;
    bool m_hasStart = false;
    bool m_inDamage = false;  // the last lines were counted as a damaged record
    size_t m_skipped = 0;
    CPlayTime m_start;
};
