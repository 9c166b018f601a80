#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "app/RunFolder.h"
#include "library/ILibraryJournal.h"
#include "library/ILibraryUpkeep.h"
#include "library/LeftoverTemporaries.h"
#include "library/PendingChange.h"
#include "platform/FileSystem.h"
#include "platform/FolderListings.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <algorithm>
#include <utility>

CZarn2Doc::CZarn2Doc(CZarn2App& app)
    : m_pApp(&app), m_szGroupListFile(app.m_szGroupListPath)
{
    for (CGroup& group : m_Group)
        group.m_pApp = m_pApp;
    m_WorkGroup.m_pApp = m_pApp;
}

void CZarn2Doc::AttachJournal(ILibraryJournal* journal)
{
    m_pJournal = journal;
    for (CGroup& group : m_Group)
        group.m_pJournal = journal;
    m_WorkGroup.m_pJournal = journal;
}

namespace {

// A change half done moves and removes files in the genres' folders, and a lost play is
// looked for at the end of its log: when a stopped run left either, the copies are merged
// before, as they always were. Else the library loads as if the copies came just after.
bool StoppedRunLeftWork(const CZarn2App& app)
{
    const std::string& run = app.m_szTempDir;
    return !run.empty() && (FileSystem::EntryExists(run + "/" + PendingChange::kFileName) ||
                            FileSystem::EntryExists(run + "/" + RunFolder::kPlayJournal));
}

}  // namespace

void CZarn2Doc::OnNewDocument(bool sweepLater)
{
    m_nGroupCount = 0;
    m_nCurrGroup = -1;
    if (m_szGroupListFile.empty()) {
        Messenger::Show("Zarn2 のインストールパスが異常です.");
        return;
    }
    LibraryUpkeep::Get().PrepareRunFiles(*m_pApp);
    m_bSweepLeft = sweepLater && !StoppedRunLeftWork(*m_pApp);
    if (!m_bSweepLeft)
        SweepFolders();
    if (LoadLibrary(true) == 0) {
        m_nGroupCount = 0;
        m_nCurrGroup = -1;
        SaveGroupList();
    }
}

void CZarn2Doc::OnCloseDocument() { SaveGroupList(); }

void CZarn2Doc::SweepFolders()
{
    // Both passes look into every genre's folder: each is listed once for both.
    FolderListings listings;
    LeftoverTemporaries::Remove(*m_pApp, m_szGroupListFile, listings);
    MergeCopies(listings);
}

void CZarn2Doc::MergeCopies(FolderListings& listings)
{
    // With journals, a copy a launcher wrote holds nothing new, and no copy is merged while a
    // library file is newer than the journals here.
    if (!m_pJournal || m_pJournal->BeforeCopyMerge(listings))
        LibraryUpkeep::Get().MergeCopies(*m_pApp, listings);
}

bool CZarn2Doc::SweepLeftFolders()
{
    if (!std::exchange(m_bSweepLeft, false))
        return false;
    SweepFolders();
    return true;
}

// ---- checks -------------------------------------------------------------------------

int CZarn2Doc::CheckGroups() const
{
    if (m_nGroupCount == 0 && m_nCurrGroup == -1)
        return 0;
    // A library holds 32 genres: a full library is a sound one (adding refuses at 32).
    if (m_nGroupCount > kMaxGroups) {
        Messenger::Show(Format("Error-30 : グループ数が上限[%02d]に達しています.", kMaxGroups));
        return -1;
    }
    if (m_nGroupCount < 0) {
        Messenger::Show(Format("ERROR-31 : トータルグループ数[%2d]が異常です.", m_nGroupCount));
        return -1;
    }
    if (m_nCurrGroup >= m_nGroupCount) {
        Messenger::Show(Format("ERROR-32 : 現在のグループ番号[%d]が異常です.", m_nCurrGroup));
        return -1;
    }
    return m_nGroupCount;
}

int CZarn2Doc::CheckGroupIndex(int n) const
{
    if (m_nGroupCount == 0 && m_nCurrGroup == -1)
        return 0;
    if (n >= kMaxGroups) {
        Messenger::Show(Format("Error-40 : グループ数が上限[%02d]に達しています.", n));
        return -1;
    }
    if (n < 0) {
        Messenger::Show(Format("ERROR-41 : トータルグループ数[%2d]が異常です.", n));
        return -1;
    }
    if (m_nCurrGroup >= m_nGroupCount) {
        Messenger::Show(Format("ERROR-42 : 現在のグループ番号[%2d]が異常です.", m_nCurrGroup));
        return -1;
    }
    return n;
}

// ---- accessors ----------------------------------------------------------------------

CGroup* CZarn2Doc::CurrGroup()
{
    // A library may have genres and no current one (-1 read from the list file).
    if (CheckGroups() <= 0 || m_nCurrGroup < 0)
        return nullptr;
    return &m_Group[static_cast<size_t>(m_nCurrGroup)];
}

CGroup* CZarn2Doc::ShownGroup()
{
    if (m_nCurrGroup < 0 || m_nCurrGroup >= std::min(m_nGroupCount, kMaxGroups))
        return nullptr;
    return &m_Group[static_cast<size_t>(m_nCurrGroup)];
}

CMember* CZarn2Doc::CurrMember()
{
    CGroup* group = CurrGroup();
    if (!group || group->Check() <= 0 || group->m_nCurrMember < 0 ||
        group->CheckMemberIndex(group->m_nCurrMember) < 0)
        return nullptr;
    return group->CurrMember();
}

int CZarn2Doc::GetGroupCount() const
{
    int count = CheckGroups();
    return count < 0 ? 0 : count;
}

int CZarn2Doc::SetCurrGroup(int n)
{
    if (CheckGroupIndex(n) < 0 || n >= m_nGroupCount)
        return -1;
    m_nCurrGroup = n;
    return n;
}

int CZarn2Doc::GetMemberCount() const
{
    if (CheckGroups() <= 0 || m_nCurrGroup < 0)
        return 0;
    int count = m_Group[static_cast<size_t>(m_nCurrGroup)].Check();
    return count < 0 ? 0 : count;
}

int CZarn2Doc::SetCurrMember(int n)
{
    CGroup* group = CurrGroup();
    if (!group || group->CheckMemberIndex(n) < 0 || n < 0 || n >= group->m_nMemberCount)
        return -1;
    group->m_nCurrMember = n;
    return n;
}

int CZarn2Doc::GetPlayMode() const
{
    if (CheckGroups() < 0 || m_nCurrGroup < 0 || m_nGroupCount == 0)
        return -1;
    return m_Group[static_cast<size_t>(m_nCurrGroup)].m_nPlayMode;
}

std::string CZarn2Doc::GetCurrGroupName() const
{
    if (CheckGroups() <= 0 || m_nCurrGroup < 0)
        return {};
    return m_Group[static_cast<size_t>(m_nCurrGroup)].m_szName;
}

CMember* CZarn2Doc::GetMember(int n)
{
    CGroup* group = CurrGroup();
    if (!group || group->CheckMemberIndex(n) < 0 || n < 0 || n >= group->m_nMemberCount)
        return nullptr;
    return &group->m_Member[static_cast<size_t>(n)];
}

const std::string* CZarn2Doc::GetMemberIconPath(int n)
{
    CMember* member = GetMember(n);
    return member ? &member->m_szIconPath : nullptr;
}

// ---- reordering and title operations of the current genre ---------------------------

int CZarn2Doc::SwapGroups(int a, int b)
{
    if (a < 0 || b < 0 || a >= m_nGroupCount || b >= m_nGroupCount || m_nGroupCount > kMaxGroups)
        return -1;
    CGroup& first = m_Group[static_cast<size_t>(a)];
    CGroup& second = m_Group[static_cast<size_t>(b)];
    m_WorkGroup.CopyFrom(first);
    first.CopyFrom(second);
    second.CopyFrom(m_WorkGroup);
    return 1;
}

int CZarn2Doc::SwapMembers(int a, int b)
{
    if (CheckGroups() < 0)
        return -1;
    if (CGroup* group = CurrGroup())
        group->SwapMembers(a, b);
    return 0;
}

EditResult CZarn2Doc::AddMember(const std::string& name, const std::string& exePath,
                                const std::string& iconPath, int autoTiming, int useMedia)
{
    CGroup* group = CheckGroups() < 0 ? nullptr : CurrGroup();
    return group ? group->AddMember(name, exePath, iconPath, autoTiming, useMedia)
                 : EditResult::Refused(Refusal::Inconsistent);
}

EditResult CZarn2Doc::EditMember(const std::string& name, const std::string& exePath,
                                 const std::string& iconPath, int autoTiming, int useMedia)
{
    CGroup* group = CheckGroups() < 0 ? nullptr : CurrGroup();
    return group ? group->EditMember(name, exePath, iconPath, autoTiming, useMedia)
                 : EditResult::Refused(Refusal::Inconsistent);
}

// ---- the current title's history ----------------------------------------------------

int CZarn2Doc::ReadHistory()
{
    CMember* member = CurrMember();
    return member ? member->ReadLog() : -1;
}

int CZarn2Doc::RecordSession(const CPlayTime& session)
{
    CMember* member = CurrMember();
    return member ? RecordSessionOf(CurrGroup()->m_szName, *member, session) : -1;
}

int CZarn2Doc::RecordSessionOf(const std::string& genre, CMember& member, const CPlayTime& session)
{
    // A log renamed or moved away by another PC during the play: the journal takes the play,
    // and it goes to the log where the title is now.
    if (m_pJournal && !FileSystem::EntryExists(member.m_szLogFile)) {
        m_pJournal->PlayRecorded(genre, member.m_szName, session);
        return 1;
    }
    int count = member.AppendLog(session);
    if (count > 0 && m_pJournal)
        m_pJournal->PlayRecorded(genre, member.m_szName, session);
    return count;
}

int CZarn2Doc::ResetHistory()
{
    CGroup* group = CurrGroup();
    CMember* member = CurrMember();
    if (!member)
        return -1;
    int result = member->ResetLog();
    if (result == 0 && m_pJournal)
        m_pJournal->PlaysCleared(group->m_szName, member->m_szName);
    return result;
}
