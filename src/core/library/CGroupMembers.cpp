// The title operations of a genre: each ends by rewriting the genre file.
#include "library/CGroup.h"

#include "library/ILibraryJournal.h"
#include "library/NameRules.h"
#include "library/PendingChange.h"
#include "library/WritePlaces.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <cerrno>
#include <string>

namespace {

// The refusal of a name or of one of the paths, shown; Refusal::None when all may be stored.
// A name the title already has (`kept`) is not held to the rules of the Windows version:
// one read from a file stays usable.
Refusal Refused(const std::string& name, const std::string& exePath, const std::string& iconPath,
                bool kept = false)
{
    NameRules::Finding problem = kept ? NameRules::KeptNameProblem(NameRules::Kind::Member, name)
                                      : NameRules::Problem(NameRules::Kind::Member, name);
    if (!problem.Refused())
        problem = NameRules::StoredPathProblem("実行ファイルのパス", exePath);
    if (!problem.Refused())
        problem = NameRules::StoredPathProblem("アイコンファイルのパス", iconPath);
    if (problem.Refused())
        Messenger::Show(problem.message);
    return problem.reason;
}

void ShowDuplicate(const std::string& name)
{
    Messenger::Show(Format("メンバー名 [%s] が重複しています.", name.c_str()));
}

// Creates an empty log for a new title. An existing file is never emptied: it may be
// the log of another title (names differing only in case on a case-insensitive drive)
// or one left behind, and the title is refused instead.
Refusal CreateLog(const std::string& name, const std::string& logPath)
{
    int err = FileSystem::CreateNew(logPath);
    if (err == 0)
        return Refusal::None;
    if (err == EEXIST)
        Messenger::Show(Format("メンバー名 [%s] のログファイル <%s> が既に存在するため,\n"
                               "メンバーを登録出来ません. 別のメンバー名を入力して下さい.",
                               name.c_str(), logPath.c_str()));
    else
        Messenger::Show(Format("ERROR[%d] : ログファイルを作成出来ませんでした,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               err));
    return DiskRefusal(err, logPath);
}

// What the user edits of a title.
struct Fields {
    std::string name;
    std::string exePath;
    std::string iconPath;
    int autoTiming;
    int useMedia;
};

void SetFields(CMember& member, const Fields& fields)
{
    member.m_szName = fields.name;
    member.m_szExePath = fields.exePath;
    member.m_szIconPath = fields.iconPath;
    member.m_nAutoTiming = fields.autoTiming;
    member.m_nUseMedia = fields.useMedia;
}

void ShowLogLeft(int err, const std::string& left, const std::string& home)
{
    Messenger::Show(Format("ERROR[%d] : ログファイルを元の場所<%s>に戻せませんでした,\n"
                           "<%s> に残っています.",
                           err, home.c_str(), left.c_str()));
}

}  // namespace

int CGroup::IndexOf(const std::string& name) const
{
    int count = std::clamp(m_nMemberCount, 0, kMaxMembers);
    for (int i = 0; i < count; ++i) {
        if (m_Member[static_cast<size_t>(i)].m_szName == name)
            return i;
    }
    return -1;
}

int CGroup::IsMemberNameUsed(const std::string& name) const
{
    if (Check() < 0 || !HasMember(name))
        return 0;
    ShowDuplicate(name);
    return 1;
}

CMember* CGroup::CurrMember()
{
    if (Check() < 0 || m_nCurrMember < 0 || m_nCurrMember >= m_nMemberCount)
        return nullptr;
    return &m_Member[static_cast<size_t>(m_nCurrMember)];
}

EditResult CGroup::AddMember(const std::string& name, const std::string& exePath,
                             const std::string& iconPath, int autoTiming, int useMedia)
{
    if (Check() < 0)
        return EditResult::Refused(Refusal::Inconsistent);
    if (m_nMemberCount >= kMaxMembers) {
        ShowFull();
        return EditResult::Refused(Refusal::Full);
    }
    if (Refusal refused = Refused(name, exePath, iconPath); refused != Refusal::None)
        return EditResult::Refused(refused);
    if (!Writable())
        return EditResult::Refused(Refusal::Unreadable);
    if (HasMember(name)) {
        ShowDuplicate(name);
        return EditResult::Refused(Refusal::Duplicate);
    }
    if (m_pApp && !WritePlaces::Allow(WritePlaces::OfNewMember(*m_pApp, m_szName)))
        return EditResult::Refused(Refusal::FileSystem);
    std::string logPath = LogFileFor(name);
    MakeFolderIfMissing();
    if (Refusal refused = CreateLog(name, logPath); refused != Refusal::None)
        return EditResult::Refused(refused);
    CMember& member = m_Member[static_cast<size_t>(m_nMemberCount)];
    member.Clear();
    member.m_szLogFile = logPath;
    member.m_szName = name;
    member.m_szExePath = exePath;
    member.m_szIconPath = iconPath;
    member.m_nAutoTiming = autoTiming;
    member.m_nUseMedia = useMedia;
    m_nCurrMember = m_nMemberCount++;
    return EditResult::Saved(Save());
}

EditResult CGroup::EditMember(const std::string& name, const std::string& exePath,
                              const std::string& iconPath, int autoTiming, int useMedia)
{
    CMember* member = Check() < 0 ? nullptr : CurrMember();
    if (!member)
        return EditResult::Refused(Refusal::Inconsistent);
    bool kept = name == member->m_szName;
    if (Refusal refused = Refused(name, exePath, iconPath, kept); refused != Refusal::None)
        return EditResult::Refused(refused);
    if (!Writable())
        return EditResult::Refused(Refusal::Unreadable);
    if (!kept && HasMember(name)) {
        ShowDuplicate(name);
        return EditResult::Refused(Refusal::Duplicate);
    }
    if (LogFileFor(name) == member->m_szLogFile) {
        SetFields(*member, {name, exePath, iconPath, autoTiming, useMedia});
        return EditResult::Saved(Save());
    }
    PendingChange change(m_pApp, {PendingChange::Kind::RenameMember,
                                  {m_szName, member->m_szName, name, exePath, iconPath,
                                   std::to_string(autoTiming), std::to_string(useMedia)}});
    if (!change.Started())
        return EditResult::Refused(Refusal::FileSystem);
    return FinishEdit(m_nCurrMember, name, exePath, iconPath, autoTiming, useMedia, change);
}

EditResult CGroup::FinishEdit(int index, const std::string& name, const std::string& exePath,
                              const std::string& iconPath, int autoTiming, int useMedia,
                              PendingChange& change)
{
    CMember& member = m_Member[static_cast<size_t>(index)];
    const std::string oldLog = member.m_szLogFile;
    const std::string logPath = LogFileFor(name);
    // The log follows the name; a move never replaces another title's log.
    if (int err = change.Move(oldLog, logPath)) {
        Messenger::Show(Format("ERROR[%d] : ログファイルをリネーム出来ませんでした,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               err));
        return EditResult::Refused(DiskRefusal(err, logPath));
    }
    const Fields before{member.m_szName, member.m_szExePath, member.m_szIconPath, member.m_nAutoTiming,
                        member.m_nUseMedia};
    if (m_pJournal && name != member.m_szName)
        m_pJournal->TitleRenamed(m_szName, member.m_szName, name);
    SetFields(member, {name, exePath, iconPath, autoTiming, useMedia});
    member.m_szLogFile = logPath;
    int saved = Save();
    if (saved >= 0)
        return EditResult::Done(saved);
    // The genre file still names the title as before: so does the library, and the log goes back.
    SetFields(member, before);
    member.m_szLogFile = oldLog;
    if (int left = MoveNoReplace(logPath, oldLog)) {
        ShowLogLeft(left, logPath, oldLog);
        change.Keep();
    }
    return EditResult::Refused(Refusal::FileSystem);
}

int CGroup::DeleteLog(const std::string& logPath, bool askForReport)
{
    // A log that is already gone is no reason to keep the title.
    int err = FileSystem::RemoveFile(logPath);
    if (err == 0 || err == ENOENT)
        return 0;
    if (askForReport)
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>を削除出来ませんでした,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               err, logPath.c_str()));
    else
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>を削除出来ませんでした,\n.", err,
                               logPath.c_str()));
    return -1;
}

void CGroup::ShiftDown(int from)
{
    for (int i = from; i + 1 < m_nMemberCount; ++i)
        m_Member[static_cast<size_t>(i)].TakeFrom(m_Member[static_cast<size_t>(i + 1)]);
    m_Member[static_cast<size_t>(m_nMemberCount - 1)].Clear();
    --m_nMemberCount;
    if (m_nMemberCount <= m_nCurrMember)
        --m_nCurrMember;
}

int CGroup::DeleteMember(int n)
{
    if (Check() < 0 || n < 0 || n >= m_nMemberCount || !Writable())
        return -1;
    PendingChange change(
        m_pApp, {PendingChange::Kind::DeleteMember, {m_szName, m_Member[static_cast<size_t>(n)].m_szName}});
    return change.Started() ? FinishDelete(n, change) : -1;
}

int CGroup::FinishDelete(int n, PendingChange& change)
{
    if (DeleteLog(m_Member[static_cast<size_t>(n)].m_szLogFile, false) < 0)
        return -1;
    ShiftDown(n);
    int saved = Save();
    // The file still lists the title whose log is gone: the next start takes it out.
    if (saved < 0)
        change.Keep();
    return saved;
}

int CGroup::DeleteAllMembers()
{
    if (!Writable())
        return -1;
    PendingChange change(m_pApp, {PendingChange::Kind::DeleteAllMembers, {m_szName}});
    return change.Started() ? DropAllMembers(change) : -1;
}

int CGroup::DropAllMembers(PendingChange& change)
{
    int count = std::clamp(m_nMemberCount, 0, kMaxMembers);
    int deleted = 0;
    while (deleted < count && DeleteLog(m_Member[static_cast<size_t>(deleted)].m_szLogFile, true) == 0)
        ++deleted;
    for (int i = 0; i < deleted; ++i)
        ShiftDown(0);
    if (Save() < 0) {
        change.Keep();
        return -1;
    }
    return deleted == count ? 0 : -1;
}

void CGroup::SwapMembers(int a, int b)
{
    if (Check() < 0 || a < 0 || b < 0 || a >= m_nMemberCount || b >= m_nMemberCount || a == b)
        return;
    m_Member[static_cast<size_t>(a)].SwapWith(m_Member[static_cast<size_t>(b)]);
}

// ---- titles added together (the import of games) ------------------------------------

Refusal CGroup::AddMembersRefusal(const std::vector<NewMember>& titles) const
{
    if (Check() < 0)
        return Refusal::Inconsistent;
    if (m_nMemberCount + static_cast<int>(titles.size()) > kMaxMembers) {
        ShowFull();
        return Refusal::Full;
    }
    if (!Writable())
        return Refusal::Unreadable;
    std::vector<std::string> names;
    for (const NewMember& title : titles) {
        if (Refusal refused = Refused(title.name, title.exePath, title.iconPath); refused != Refusal::None)
            return refused;
        if (HasMember(title.name) || std::find(names.begin(), names.end(), title.name) != names.end()) {
            ShowDuplicate(title.name);
            return Refusal::Duplicate;
        }
        names.push_back(title.name);
        if (std::string log = LogFileFor(title.name); FileSystem::EntryExists(log)) {
            Messenger::Show(Format("メンバー名 [%s] のログファイル <%s> が既に存在するため,\n"
                                   "メンバーを登録出来ません. 別のメンバー名を入力して下さい.",
                                   title.name.c_str(), log.c_str()));
            return Refusal::TakenOnDisk;
        }
    }
    return Refusal::None;
}

EditResult CGroup::FinishAddMembers(const std::vector<NewMember>& titles, PendingChange& change)
{
    std::vector<const NewMember*> added;
    for (const NewMember& title : titles) {
        if (!HasMember(title.name))
            added.push_back(&title);
    }
    if (added.empty())
        return EditResult::Done(m_nMemberCount);
    if (m_nMemberCount + static_cast<int>(added.size()) > kMaxMembers) {
        ShowFull();
        return EditResult::Refused(Refusal::Full);
    }
    MakeFolderIfMissing();
    std::vector<std::string> made;
    // Takes back the logs made here; the change stays when one cannot go, or when it is a
    // stopped run's, whose logs stay for the next start.
    auto takeBack = [&] {
        if (change.Resumed())
            change.Keep();
        for (const std::string& log : made) {
            int err = FileSystem::RemoveFile(log);
            if (err != 0 && err != ENOENT) {
                Messenger::Show(Format("ERROR[%d] : ログファイル<%s>を削除出来ませんでした,\n"
                                       "次に起動すると取り込みを完了します.",
                                       err, log.c_str()));
                change.Keep();
            }
        }
    };
    for (const NewMember* title : added) {
        std::string log = LogFileFor(title->name);
        if (change.Resumed() && FileSystem::EntryExists(log))
            continue;  // made before the run stopped
        if (Refusal refused = CreateLog(title->name, log); refused != Refusal::None) {
            takeBack();
            return EditResult::Refused(refused);
        }
        made.push_back(log);
    }
    const int before = m_nMemberCount, current = m_nCurrMember;
    for (const NewMember* title : added) {
        CMember& member = m_Member[static_cast<size_t>(m_nMemberCount++)];
        member.Clear();
        SetFields(member, {title->name, title->exePath, title->iconPath, 1, 0});
        member.m_szLogFile = LogFileFor(title->name);
    }
    m_nCurrMember = m_nMemberCount - 1;
    int saved = Save();
    if (saved >= 0)
        return EditResult::Done(saved);
    while (m_nMemberCount > before)
        m_Member[static_cast<size_t>(--m_nMemberCount)].Clear();
    m_nCurrMember = current;
    takeBack();
    return EditResult::Refused(Refusal::FileSystem);
}
