#include "launch/LostPlay.h"

#include "app/CZarn2App.h"
#include "history/PlayLogFile.h"
#include "launch/CPlayJournal.h"
#include "launch/IdleQuestion.h"
#include "library/CZarn2Doc.h"
#include "platform/FileLock.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <vector>

namespace {

const char kQuestion[] =
    "前回のプレイが記録されていません。\n%s / %s\n開始 %s　経過 %02d:%02d:%02d\n記録しますか？";
const char kDamaged[] = "前回のプレイの途中経過<%s>が壊れています. 削除します.";
const char kUnreadable[] = "ERROR[%d] : 前回のプレイの途中経過<%s>が読めません. 削除します.";
const char kTitleGone[] = "タイトル %s / %s はもうありません. 前回のプレイは記録出来ませんでした.";

CMember* FindTitle(CZarn2Doc& doc, const std::string& genre, const std::string& title)
{
    for (int g = 0; g < doc.m_nGroupCount && g < CZarn2Doc::kMaxGroups; ++g) {
        CGroup& group = doc.m_Group[static_cast<size_t>(g)];
        if (group.m_szName != genre)
            continue;
        for (int m = 0; m < group.m_nMemberCount && m < CGroup::kMaxMembers; ++m)
            if (group.m_Member[static_cast<size_t>(m)].m_szName == title)
                return &group.m_Member[static_cast<size_t>(m)];
    }
    return nullptr;
}

bool SameStart(const CPlayTime& a, const CPlayTime& b)
{
    return a.m_nYear == b.m_nYear && a.m_nMonth == b.m_nMonth && a.m_nDay == b.m_nDay &&
           a.m_nHour == b.m_nHour && a.m_nMinute == b.m_nMinute && a.m_nSecond == b.m_nSecond;
}

// Whether the log's last record is this play: the launcher then ended after appending it
// and before removing the journal.
bool AlreadyLogged(const std::string& logPath, const CPlayTime& start)
{
    std::vector<CPlayTime> sessions;
    return PlayLogFile::Read(logPath, sessions) == 0 && !sessions.empty() &&
           SameStart(sessions.back(), start);
}

bool Ask(const PlayJournalEntry& entry)
{
    const CPlayTime& s = entry.start;
    std::string start = Format("%04d/%02d/%02d %02d:%02d:%02d", s.m_nYear, s.m_nMonth, s.m_nDay, s.m_nHour,
                               s.m_nMinute, s.m_nSecond);
    CPlayTime so{};
    so.m_nElapsed = entry.seconds;
    so.SplitElapsed();
    return Messenger::Ask(Format(kQuestion, entry.genre.c_str(), entry.title.c_str(), start.c_str(),
                                 so.m_nElapsedHour, so.m_nElapsedMinute, so.m_nElapsedSecond));
}

// The question and, on Yes, the record; true when a session was appended.
bool Offer(CZarn2Doc& doc, int limitMinite, const PlayJournalEntry& entry)
{
    CMember* member = FindTitle(doc, entry.genre, entry.title);
    if (AlreadyLogged(member ? member->m_szLogFile : entry.logPath, entry.start) || !Ask(entry))
        return false;
    if (!member) {
        Messenger::Show(Format(kTitleGone, entry.genre.c_str(), entry.title.c_str()));
        return false;
    }
    CPlayTime session = entry.start;
    session.m_nElapsed = entry.seconds;
    session.SplitElapsed();
    IdleQuestion::LeaveOut(session, entry.idleSeconds);
    return CPlayHistory::ConfirmRecord(session, limitMinite) &&
           member->AppendLog(session) > 0;
}

}  // namespace

namespace LostPlay {

bool Recover(CZarn2Doc& doc, const CZarn2App& app)
{
    if (app.m_szTempDir.empty())
        return false;
    const std::string path = CPlayJournal::PathIn(app.m_szTempDir);
    FileLock lock;
    std::string bytes;
    int error = 0;
    PlayJournalEntry entry;
    bool appended = false;
    switch (lock.TryClaim(path, bytes, error)) {
    case FileLock::Claim::Absent:
    case FileLock::Claim::HeldElsewhere:
        return false;
    case FileLock::Claim::Failed:
        Messenger::Show(Format(kUnreadable, error, path.c_str()));
        break;
    case FileLock::Claim::Claimed:
        if (PlayJournalText::Parse(bytes, entry))
            appended = Offer(doc, app.LimitMinite, entry);
        else
            Messenger::Show(Format(kDamaged, path.c_str()));
        break;
    }
    lock.Remove(path);
    return appended;
}

}  // namespace LostPlay
