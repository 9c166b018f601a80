// The title operations of a genre: each ends by rewriting the genre file.
#include "library/CGroup.h"

#include "library/NameRules.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <cerrno>

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

}  // namespace

bool CGroup::HasMember(const std::string& name) const
{
    int count = std::clamp(m_nMemberCount, 0, kMaxMembers);
    for (int i = 0; i < count; ++i) {
        if (m_Member[static_cast<size_t>(i)].m_szName == name)
            return true;
    }
    return false;
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
    std::string logPath = LogFileFor(name);
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
    std::string logPath = LogFileFor(name);
    // The log follows the name; a move never replaces another title's log.
    if (logPath != member->m_szLogFile) {
        if (int err = MoveNoReplace(member->m_szLogFile, logPath)) {
            Messenger::Show(Format("ERROR[%d] : ログファイルをリネーム出来ませんでした,\n"
                                   "ヘルプを見て作者までエラー番号をご連絡下さい.",
                                   err));
            return EditResult::Refused(DiskRefusal(err, logPath));
        }
    }
    member->m_szLogFile = logPath;
    member->m_szName = name;
    member->m_szExePath = exePath;
    member->m_szIconPath = iconPath;
    member->m_nAutoTiming = autoTiming;
    member->m_nUseMedia = useMedia;
    return EditResult::Saved(Save());
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
    if (DeleteLog(m_Member[static_cast<size_t>(n)].m_szLogFile, false) < 0)
        return -1;
    ShiftDown(n);
    return Save();
}

int CGroup::DeleteAllMembers()
{
    if (!Writable())
        return -1;
    int count = std::clamp(m_nMemberCount, 0, kMaxMembers);
    for (int i = 0; i < count; ++i) {
        if (DeleteLog(m_Member[static_cast<size_t>(i)].m_szLogFile, true) < 0)
            return -1;
    }
    m_nMemberCount = 0;
    m_nCurrMember = -1;
    return Save();
}

void CGroup::SwapMembers(int a, int b)
{
    if (Check() < 0 || a < 0 || b < 0 || a >= m_nMemberCount || b >= m_nMemberCount || a == b)
        return;
    m_Member[static_cast<size_t>(a)].SwapWith(m_Member[static_cast<size_t>(b)]);
}
