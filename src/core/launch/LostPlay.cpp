#include "launch/LostPlay.h"

#include "app/CZarn2App.h"
#include "history/PlayLogFile.h"
#include "launch/CPlayJournal.h"
#include "launch/PlayJournalCheck.h"
#include "launch/IdleQuestion.h"
#include "library/CZarn2Doc.h"
#include "platform/FileLock.h"
#include "platform/FileMove.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <vector>

namespace {

const char kQuestion[] =
    "前回のプレイが記録されていません.\n%s / %s\n開始 %s  経過 %02d:%02d:%02d\n記録しますか ?";
const char kPutAside[] = "前回のプレイの途中経過<%s>は%s. 記録せずに<%s>へ移しました.";
const char kDamaged[] = "壊れています";
const char kUnbelievable[] = "実際の時刻やファイルの更新日時と合いません";
const char kUnreadable[] = "読めません (ERROR[%d])";
const char kNotMoved[] = "ERROR[%d] : 前回のプレイの途中経過<%s>を移動出来ないため, 記録を問い合わせません.";
const char kNotRemoved[] = "ERROR[%d] : 前回のプレイの途中経過<%s>を削除出来ませんでした. 次回からは問い合わせません.";
const char kTitleGone[] = "タイトル %s / %s はもうありません. 前回のプレイは記録出来ませんでした.";
// The tag of a journal moved out of the way: "play.journal.aside", "play.journal.2.aside" …
const char kAsideTag[] = "aside";

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

// Whether the title's log ends with this play: the launcher then ended after appending it
// and before removing the journal. Only a title of the library has its log read: the path
// the journal names is never opened.
bool AlreadyLogged(const CMember& member, const CPlayTime& start)
{
    std::vector<CPlayTime> sessions;
    return PlayLogFile::Read(member.m_szLogFile, sessions) == 0 && !sessions.empty() &&
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
    if ((member && AlreadyLogged(*member, entry.start)) || !Ask(entry))
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
           doc.RecordSessionOf(entry.genre, *member, session) > 0;
}

// Why the claimed journal at `path` is not offered; empty when it is fit to be.
std::string Fault(const std::string& path, const std::string& bytes, PlayJournalEntry& entry)
{
    FileStamp stamp;
    if (int err = ReadFileStamp(path, stamp))
        return Format(kUnreadable, err);
    if (!PlayJournalText::Parse(bytes, entry))
        return kDamaged;
    if (!PlayJournalCheck::Believable(entry, stamp.modifiedNs / 1000000000, Clock::Get().Now()))
        return kUnbelievable;
    return {};
}

}  // namespace

namespace LostPlay {

// Every journal found is first moved aside, so that no journal is offered twice: one that
// cannot be moved is not offered at all, and once the question is answered the moved one
// is removed. A journal not fit to be offered stays where it was moved, for the user.
bool Recover(CZarn2Doc& doc, const CZarn2App& app)
{
    if (app.m_szTempDir.empty())
        return false;
    const std::string path = CPlayJournal::PathIn(app.m_szTempDir);
    FileLock lock;
    std::string bytes;
    int error = 0;
    PlayJournalEntry entry;
    std::string fault;
    switch (lock.TryClaim(path, bytes, error)) {
    case FileLock::Claim::Absent:
    case FileLock::Claim::HeldElsewhere:
        return false;
    case FileLock::Claim::Failed:
        fault = Format(kUnreadable, error);
        break;
    case FileLock::Claim::Claimed:
        fault = Fault(path, bytes, entry);
        break;
    }
    std::string aside;
    if (int err = MoveAside(path, kAsideTag, aside)) {
        Messenger::Show(Format(kNotMoved, err, path.c_str()));
        return false;
    }
    if (!fault.empty()) {
        Messenger::Show(Format(kPutAside, path.c_str(), fault.c_str(), aside.c_str()));
        return false;
    }
    bool appended = Offer(doc, app.LimitMinite, entry);
    if (int err = FileSystem::RemoveFile(aside))
        Messenger::Show(Format(kNotRemoved, err, aside.c_str()));
    return appended;
}

}  // namespace LostPlay
