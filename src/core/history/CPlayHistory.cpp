#include "history/CPlayHistory.h"

#include "history/PlayLogFile.h"
#include "history/PlayLogRecord.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// Every session of the log is kept, however many there are, so the figures are those of
// the whole log. Sums are taken in 64 bits; a total beyond the 32-bit range of a time
// field (more than 68 years of play, only possible in a forged log) is held at its end.

namespace {

int Saturate(std::int64_t value)
{
    return static_cast<int>(std::min<std::int64_t>(value, std::numeric_limits<int>::max()));
}

void SetElapsed(CPlayTime& time, int seconds)
{
    time.m_nElapsed = seconds;
    time.SplitElapsed();
}

void ShowLogError(const char* format, int error, const std::string& logPath)
{
    Messenger::Show(Format(format, error, logPath.c_str()));
}

const char kOpenError[] =
    "ERROR[%d] : ログファイル<%s>ファイルを開けませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";
const char kWriteError[] =
    "ERROR[%d] : ログファイル<%s>に書き込めませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";
const char kCutBackError[] = "ERROR[%d] : ログファイル<%s>を元の長さに戻せませんでした,\n"
                             "書きかけの記録がファイルの末尾に残っています.";

}  // namespace

int CPlayHistory::ReadLog(const std::string& logPath)
{
    std::vector<CPlayTime> sessions;
    if (PlayLogFile::Read(logPath, sessions, m_logVersion) != 0)
        return -1;
    static std::uint64_t s_reads = 0;
    m_Session = std::move(sessions);
    m_nReadId = ++s_reads;
    m_nSessionCount = static_cast<int>(m_Session.size());
    ComputeSessionStats();
    ComputeDayStats();
    return m_nSessionCount;
}

const CPlayFigures& CPlayHistory::Figures() const
{
    static const CPlayFigures none;
    return m_figures.figures ? *m_figures.figures : none;
}

CPlayFigures& CPlayHistory::WorkedFigures()
{
    if (!m_figures.figures)
        m_figures.figures = std::make_unique<CPlayFigures>();
    return *m_figures.figures;
}

int CPlayHistory::ComputeSessionStats()
{
    CPlayFigures& figures = WorkedFigures();
    m_nSessionCount = std::min(m_nSessionCount, static_cast<int>(m_Session.size()));
    if (m_nSessionCount <= 0) {
        m_nSessionCount = 0;
        SetElapsed(figures.m_Current, 0);
        SetElapsed(figures.m_Total, 0);
        SetElapsed(figures.m_SessionAverage, 0);
        return 0;
    }
    std::int64_t total = 0;
    for (int i = 0; i < m_nSessionCount; ++i)
        total += m_Session[static_cast<size_t>(i)].m_nElapsed;
    figures.m_Current = m_Session[static_cast<size_t>(m_nSessionCount) - 1];
    SetElapsed(figures.m_Total, Saturate(total));
    SetElapsed(figures.m_SessionAverage, Saturate(total / m_nSessionCount));
    return m_nSessionCount;
}

// A day group gathers consecutive sessions that started on the same date; a session
// belongs wholly to the date it started on, and a date that comes back after another
// one opens a new group.
int CPlayHistory::ComputeDayStats()
{
    m_Day.clear();
    std::int64_t total = 0;
    std::int64_t daySum = 0;  // the open group's sum, written into it when it closes
    int count = std::clamp(m_nSessionCount, 0, static_cast<int>(m_Session.size()));
    for (int i = 0; i < count; ++i) {
        const CPlayTime& s = m_Session[static_cast<size_t>(i)];
        total += s.m_nElapsed;
        if (!m_Day.empty() && m_Day.back().m_nYear == s.m_nYear &&
            m_Day.back().m_nMonth == s.m_nMonth && m_Day.back().m_nDay == s.m_nDay) {
            daySum += s.m_nElapsed;
            continue;
        }
        if (!m_Day.empty())
            SetElapsed(m_Day.back(), Saturate(daySum));
        m_Day.push_back(s);
        daySum = s.m_nElapsed;
    }
    if (!m_Day.empty())
        SetElapsed(m_Day.back(), Saturate(daySum));
    m_nDayCount = static_cast<int>(m_Day.size());
    CPlayFigures& figures = WorkedFigures();
    if (m_nDayCount > 0) {
        figures.m_LastDay = m_Day.back();
        SetElapsed(figures.m_DayAverage, Saturate(total / m_nDayCount));
    } else {
        SetElapsed(figures.m_LastDay, 0);
        SetElapsed(figures.m_DayAverage, 0);
    }
    return m_nDayCount;
}

std::pair<int, int> CPlayHistory::DaySessions(int day) const
{
    int count = std::clamp(m_nSessionCount, 0, static_cast<int>(m_Session.size()));
    int group = -1;
    int first = 0;
    for (int i = 0; i < count; ++i) {
        const CPlayTime& s = m_Session[static_cast<size_t>(i)];
        const CPlayTime* before = i > 0 ? &m_Session[static_cast<size_t>(i) - 1] : nullptr;
        if (before == nullptr || before->m_nYear != s.m_nYear || before->m_nMonth != s.m_nMonth ||
            before->m_nDay != s.m_nDay) {
            if (group == day)
                return {first, i};
            ++group;
            first = i;
        }
    }
    return group == day ? std::pair{first, count} : std::pair{0, 0};
}

// The session goes out as one write of both lines; a log that cannot take it whole is
// left as it was (see RegularFile::AppendDurably).
int CPlayHistory::AppendLog(const std::string& logPath, const CPlayTime& session)
{
    RegularFile::AppendResult result = RegularFile::AppendDurably(logPath, PlayLogRecord::Format(session));
    if (result.error != 0) {
        ShowLogError(result.opened ? kWriteError : kOpenError, result.error, logPath);
        if (result.cutBackError != 0)
            ShowLogError(kCutBackError, result.cutBackError, logPath);
        return 0;
    }
    if (m_nSessionCount < std::numeric_limits<int>::max())
        ++m_nSessionCount;
    return m_nSessionCount;
}

int CPlayHistory::ResetLog(const std::string& logPath)
{
    while (m_logVersion.Changed(logPath)) {
        ReadLog(logPath);
        if (!Messenger::Ask(Format("このタイトルの履歴は表示した後に他の PC かプログラムで書き換えられ, "
                                   "今は %d 回のプレイを記録しています. 全て削除して履歴を初期化しますか ?",
                                   m_nSessionCount)))
            return 1;
    }
    if (int error = RegularFile::CreateEmpty(logPath)) {
        ShowLogError(kOpenError, error, logPath);
        return -1;
    }
    m_Session.clear();
    m_nSessionCount = 0;
    m_nReadId = 0;
    m_logVersion.Look(logPath);
    ComputeSessionStats();
    ComputeDayStats();
    return 0;
}

bool CPlayHistory::ConfirmRecord(const CPlayTime& session, int limitMinite)
{
    if (static_cast<std::int64_t>(session.m_nElapsed) >= static_cast<std::int64_t>(limitMinite) * 60)
        return true;
    return Messenger::Ask(Format("今のプレイ時間は%02d:%02dです. 記録しますか ?", session.m_nElapsedMinute,
                                 session.m_nElapsedSecond));
}

void CPlayHistory::ReleaseHistory()
{
    std::vector<CPlayTime>().swap(m_Session);
    std::vector<CPlayTime>().swap(m_Day);
    m_nSessionCount = 0;
    m_nDayCount = 0;
    m_nReadId = 0;
    m_figures.figures.reset();
    m_logVersion.Forget();
}
