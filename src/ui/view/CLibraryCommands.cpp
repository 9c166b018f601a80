#include "view/CLibraryCommands.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "library/NameRules.h"
#include "platform/IMessenger.h"
#include "view/CaptionFit.h"
#include "view/IDialogRunner.h"
#include "view/IViewRefresh.h"
#include "view/ViewPointers.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr char kCreateGroup[] = "ジャンルを作成して下さい.";
constexpr char kRegisterMember[] = "タイトルを登録して下さい..";

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// Whether the library refused a title because of what the user entered: a name or a path
// it cannot store, or a name whose log file is already there.
bool MemberRefused(const MemberDlgValues& v, bool logTaken)
{
    return logTaken || !NameRules::Problem(NameRules::Kind::Member, v.name).empty() ||
           !NameRules::StoredPathProblem("", v.exePath).empty() ||
           !NameRules::StoredPathProblem("", v.iconPath).empty();
}

}  // namespace

CLibraryCommands::CLibraryCommands(CZarn2Doc* doc, IViewRefresh* view, IDialogRunner* dialogs,
                                   std::function<bool()> busy)
    : m_pDoc(doc), m_pView(view), m_pDialogs(dialogs), m_busy(std::move(busy))
{
}

bool CLibraryCommands::Busy() const { return m_busy && m_busy(); }

bool CLibraryCommands::HasGroups() const { return m_pDoc->CheckGroups() > 0; }

bool CLibraryCommands::HasMembers() const { return m_pDoc->GetMemberCount() > 0; }

bool CLibraryCommands::RequireGroups() const
{
    if (HasGroups())
        return true;
    Messenger::Show(kCreateGroup);
    return false;
}

bool CLibraryCommands::RequireMembers() const
{
    if (HasMembers())
        return true;
    Messenger::Show(kRegisterMember);
    return false;
}

bool CLibraryCommands::GroupTakenOnDisk(const std::string& name) const
{
    // A folder or genre file of that name left behind keeps the genre from being created.
    const std::string& dataDir = m_pDoc->m_pApp->m_szDataDir;
    return !name.empty() && (Exists(dataDir + "/" + name) || Exists(dataDir + "/" + name + ".Zarn"));
}

bool CLibraryCommands::GroupRefused(const std::string& name, bool nameTakenOnDisk) const
{
    return nameTakenOnDisk || !NameRules::Problem(NameRules::Kind::Group, name).empty();
}

// ---- genres -------------------------------------------------------------------------

void CLibraryCommands::OnGroupAdd()
{
    if (Busy())
        return;
    GroupDlgValues values{"新規ジャンル", 0};
    int added = -1;
    for (;;) {
        if (!m_pDialogs->RunGroupDlg("ジャンルの作成", values))
            return;
        if (m_pDoc->IsGroupNameUsed(values.name))
            continue;
        bool taken = GroupTakenOnDisk(values.name);
        added = m_pDoc->AddGroup(values.name, values.playMode);
        if (added == -1 && GroupRefused(values.name, taken))
            continue;
        break;
    }
    if (added != -1) {
        m_pDoc->SaveGroupList();
        m_pView->FillGroupList();
    }
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnGroupEdit()
{
    if (!RequireGroups() || Busy())
        return;
    CGroup* group = m_pDoc->CurrGroup();
    GroupDlgValues values{m_pDoc->GetCurrGroupName(), group != nullptr ? group->m_nPlayMode : 0};
    int renamed = -1;
    for (;;) {
        if (!m_pDialogs->RunGroupDlg("ジャンルの編集", values))
            return;
        // An unchanged name is not tested: a change of the play mode alone goes through.
        bool changed = values.name != m_pDoc->GetCurrGroupName();
        if (changed && m_pDoc->IsGroupNameUsed(values.name))
            continue;
        bool taken = changed && GroupTakenOnDisk(values.name);
        renamed = m_pDoc->RenameGroup(values.name, values.playMode);
        if (renamed < 0 && changed && GroupRefused(values.name, taken))
            continue;
        break;
    }
    if (renamed >= 0) {
        m_pDoc->SaveGroupList();
        m_pView->FillGroupList();
    }
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnGroupOrder()
{
    if (!RequireGroups() || Busy())
        return;
    m_pDialogs->RunGroupOrderDlg(m_pDoc);
    m_pDoc->SaveGroupList();
    m_pView->FillGroupList();
}

void CLibraryCommands::OnGroupDelete()
{
    if (!HasGroups() || Busy())
        return;
    if (!Messenger::Ask("ジャンルを削除すると、そこに含まれる全てのタイトルも削除されます. 宜しいですか ?"))
        return;
    if (m_pDoc->CheckGroups() < 0 || m_pDoc->m_nCurrGroup < 0)
        return;
    if (m_pDoc->DeleteGroup(m_pDoc->m_nCurrGroup) < 0) {
        Messenger::Show("グループの削除に失敗しました");
        return;
    }
    m_pDoc->SaveGroupList();
    m_pView->FillGroupList();
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

// ---- titles -------------------------------------------------------------------------

void CLibraryCommands::AddMemberFrom(const std::string& caption, MemberDlgValues values)
{
    int added = -1;
    for (;;) {
        if (!m_pDialogs->RunMemberDlg(caption, values))
            return;
        CGroup* group = m_pDoc->CurrGroup();
        if (group != nullptr && group->IsMemberNameUsed(values.name))
            continue;
        bool logTaken = group != nullptr && !values.name.empty() &&
                        Exists(group->LogFileFor(values.name));
        added = m_pDoc->AddMember(values.name, values.exePath, values.iconPath, values.autoTiming,
                                  values.useMedia);
        if (added == -1 && MemberRefused(values, logTaken))
            continue;
        break;
    }
    if (added != -1) {
        m_pView->FillMemberList();
        m_pView->UpdateStatistics();
    }
}

void CLibraryCommands::OnMemberAdd()
{
    if (!RequireGroups() || Busy())
        return;
    // A full or inconsistent genre is reported here; the command goes on either way.
    if (CGroup* group = m_pDoc->CurrGroup())
        group->Check();
    std::string caption =
        CaptionFit::Make("ジャンル[ ", m_pDoc->GetCurrGroupName(), " ]へのタイトル追加");
    AddMemberFrom(caption, MemberDlgValues{});
}

void CLibraryCommands::OnDropFiles(const std::vector<std::string>& paths)
{
    if (!RequireGroups() || Busy() || paths.empty())
        return;
    // Only the first file of a drop is registered.
    const std::string& path = paths.front();
    std::string caption = CaptionFit::Make("ジャンル[ ", m_pDoc->GetCurrGroupName(),
                                           " ]へドロップされたタイトルの編集");
    AddMemberFrom(caption, MemberDlgValues{std::string(), path, path, 1, 0});
}

void CLibraryCommands::OnMemberEdit()
{
    if (!RequireMembers() || Busy())
        return;
    CGroup* group = m_pDoc->CurrGroup();
    CMember* member = m_pDoc->CurrMember();
    if (group == nullptr || member == nullptr)
        return;
    const std::string oldName = member->m_szName;
    MemberDlgValues values{member->m_szName, member->m_szExePath, member->m_szIconPath,
                           member->m_nAutoTiming, member->m_nUseMedia};
    std::string caption = CaptionFit::Make("タイトル[ ", oldName, " ]の編集");
    int edited = -1;
    for (;;) {
        if (!m_pDialogs->RunMemberDlg(caption, values))
            return;
        bool changed = values.name != oldName;
        if (changed && group->IsMemberNameUsed(values.name))
            continue;
        bool logTaken = changed && !values.name.empty() && Exists(group->LogFileFor(values.name));
        edited = m_pDoc->EditMember(values.name, values.exePath, values.iconPath,
                                    values.autoTiming, values.useMedia);
        if (edited == -1 && MemberRefused(values, logTaken))
            continue;
        break;
    }
    if (edited != -1) {
        m_pView->FillMemberList();
        m_pView->UpdateStatistics();
    }
}

void CLibraryCommands::OnMemberOrder()
{
    if (!RequireMembers() || Busy())
        return;
    m_pDialogs->RunMemberOrderDlg(m_pDoc);
    m_pView->FillMemberList();
}

void CLibraryCommands::OnMemberMove()
{
    if (!RequireMembers() || Busy())
        return;
    g_pMoveDoc = m_pDoc;
    int dest = -1;
    // The dialog starts on the current genre, so a confirmed choice names a genre; one
    // that does not is never passed on.
    if (m_pDialogs->RunMemberMoveDlg(g_pMoveDoc, dest) && dest >= 0 && dest < m_pDoc->m_nGroupCount)
        m_pDoc->MoveMember(dest);

    m_pView->SetGroupSelectionMark(m_pDoc->CheckGroups() < 0 ? -1 : m_pDoc->m_nCurrGroup);
    m_pDoc->SaveGroupList();
    m_pView->FillGroupList();
    CGroup* group = m_pDoc->CurrGroup();
    m_pView->SetMemberSelectionMark(group != nullptr && group->Check() >= 0 ? group->m_nCurrMember
                                                                          : -1);
    m_pView->FillMemberList();
}

void CLibraryCommands::OnHistoryReset()
{
    if (!RequireMembers() || Busy())
        return;
    m_pDoc->ResetHistory();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnMemberDelete()
{
    if (!RequireMembers() || Busy())
        return;
    if (CGroup* group = m_pDoc->CurrGroup())
        group->DeleteMember(group->m_nCurrMember);
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnMemberDeleteAll()
{
    if (!HasMembers() || Busy())
        return;
    if (!Messenger::Ask("全てのタイトルを削除します. 宜しいですか ?"))
        return;
    if (CGroup* group = m_pDoc->CurrGroup())
        group->DeleteAllMembers();
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

// ---- icon size ------------------------------------------------------------------------

void CLibraryCommands::OnIconLarge()
{
    m_pDoc->m_pApp->IconSize = 1;
    m_pView->FillMemberList();
}

void CLibraryCommands::OnIconSmall()
{
    m_pDoc->m_pApp->IconSize = 0;
    m_pView->FillMemberList();
}

bool CLibraryCommands::IconLargeEnabled()
{
    CZarn2App* app = m_pDoc->m_pApp;
    if (app->IconSize != 0) {
        app->IconSize = 1;
        return false;
    }
    return true;
}

bool CLibraryCommands::IconSmallEnabled() const { return m_pDoc->m_pApp->IconSize != 0; }
