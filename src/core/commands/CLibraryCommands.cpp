#include "commands/CLibraryCommands.h"

#include "app/CZarn2App.h"
#include "commands/CaptionFit.h"
#include "commands/IDialogRunner.h"
#include "commands/IViewRefresh.h"
#include "library/CZarn2Doc.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <algorithm>

#include <optional>

namespace {

constexpr char kCreateGroup[] = "ジャンルを作成して下さい.";
constexpr char kRegisterMember[] = "タイトルを登録して下さい..";
constexpr char kAskAgainDeleteGroup[] =
    "ジャンル [%s] のタイトルが他の PC かプログラムで変更されています. 今あるタイトルごとジャンルを削除しますか ?";
constexpr char kAskAgainDeleteAll[] =
    "ジャンル [%s] のタイトルが他の PC かプログラムで変更されています. 今ある全てのタイトルを削除しますか ?";

std::vector<std::string> MemberNames(const CGroup* group)
{
    std::vector<std::string> names;
    for (int i = 0; group != nullptr && i < std::min(group->m_nMemberCount, CGroup::kMaxMembers); ++i)
        names.push_back(group->m_Member[static_cast<size_t>(i)].m_szName);
    return names;
}

std::vector<std::string> GroupNames(const CZarn2Doc& doc)
{
    std::vector<std::string> names;
    for (int i = 0; i < std::min(doc.m_nGroupCount, CZarn2Doc::kMaxGroups); ++i)
        names.push_back(doc.m_Group[static_cast<size_t>(i)].m_szName);
    return names;
}

// Shows a dialog (`show`, false when the user cancels) until the user cancels (nothing)
// or `store` takes the entry or refuses it for a reason no other entry mends (its
// result). A name in use (`inUse`, which shows its own message) or an entry the library
// refuses shows the dialog again with what the user typed.
template <class Values, class Show, class InUse, class Store>
std::optional<EditResult> UntilStored(Values& values, Show show, InUse inUse, Store store)
{
    for (;;) {
        if (!show(values))
            return std::nullopt;
        if (inUse(values))
            continue;
        EditResult result = store(values);
        if (result < 0 && EntryCanMend(result.reason))
            continue;
        return result;
    }
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

CLibraryCommands::Target CLibraryCommands::Current() const
{
    const CGroup* group = m_pDoc->CurrGroup();
    return group != nullptr ? Target{group->m_szName, group->CurrMemberName()} : Target{};
}

bool CLibraryCommands::Reconciled(const Target& target, bool withMember)
{
    return m_pDoc->Reconcile(target.group, withMember ? target.member : std::string());
}

bool CLibraryCommands::ConfirmedAgain(const Target& target, const std::vector<std::string>& seen,
                                      const char* question)
{
    if (!Reconciled(target, false))
        return false;
    if (MemberNames(m_pDoc->CurrGroup()) == seen)
        return true;
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
    return Messenger::Ask(Format(question, target.group.c_str()));
}

void CLibraryCommands::RefreshAll()
{
    m_pView->FillGroupList();
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

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

// ---- genres -------------------------------------------------------------------------

void CLibraryCommands::OnGroupAdd()
{
    if (Busy())
        return;
    GroupDlgValues values{"新規ジャンル", 0};
    std::optional<EditResult> added = UntilStored(
        values, [this](GroupDlgValues& v) { return m_pDialogs->RunGroupDlg("ジャンルの作成", v); },
        [this](const GroupDlgValues& v) { return m_pDoc->IsGroupNameUsed(v.name) != 0; },
        [this](const GroupDlgValues& v) { return m_pDoc->AddGroup(v.name, v.playMode); });
    if (!added)
        return;
    if (*added != -1) {
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
    const Target target = Current();
    GroupDlgValues values{m_pDoc->GetCurrGroupName(), group != nullptr ? group->m_nPlayMode : 0};
    // An unchanged name is not tested: a change of the play mode alone goes through.
    std::optional<EditResult> renamed = UntilStored(
        values, [this](GroupDlgValues& v) { return m_pDialogs->RunGroupDlg("ジャンルの編集", v); },
        [this](const GroupDlgValues& v) {
            return v.name != m_pDoc->GetCurrGroupName() && m_pDoc->IsGroupNameUsed(v.name);
        },
        [&](const GroupDlgValues& v) {
            return Reconciled(target, false) ? m_pDoc->RenameGroup(v.name, v.playMode)
                                             : EditResult::Refused(Refusal::Gone);
        });
    if (!renamed)
        return;
    if (*renamed >= 0)
        m_pDoc->SaveGroupList();
    // A rename whose list could not be written still renamed the genre.
    m_pView->FillGroupList();
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnGroupOrder()
{
    if (!RequireGroups() || Busy())
        return;
    m_pDialogs->RunGroupOrderDlg(m_pDoc);
    // The order goes on top of the genre list as it is on disk now.
    std::vector<std::string> order = GroupNames(*m_pDoc);
    m_pDoc->ReloadChanged();
    m_pDoc->ApplyGroupOrder(order);
    m_pDoc->SaveGroupList();
    m_pView->FillGroupList();
}

void CLibraryCommands::OnGroupDelete()
{
    if (!HasGroups() || Busy())
        return;
    const Target target = Current();
    const std::vector<std::string> seen = MemberNames(m_pDoc->CurrGroup());
    if (!Messenger::Ask("ジャンルを削除すると、そこに含まれる全てのタイトルも削除されます. 宜しいですか ?"))
        return;
    if (!ConfirmedAgain(target, seen, kAskAgainDeleteGroup)) {
        RefreshAll();
        return;
    }
    if (m_pDoc->CheckGroups() < 0 || m_pDoc->m_nCurrGroup < 0)
        return;
    // The deletion reads the library again: the lists are refilled whether it failed or not.
    if (m_pDoc->DeleteGroup(m_pDoc->m_nCurrGroup) < 0)
        Messenger::Show("グループの削除に失敗しました");
    else
        m_pDoc->SaveGroupList();
    m_pView->FillGroupList();
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

// ---- titles -------------------------------------------------------------------------

void CLibraryCommands::AddMemberFrom(const std::string& caption, MemberDlgValues values)
{
    const Target target = Current();
    std::optional<EditResult> added = UntilStored(
        values, [&](MemberDlgValues& v) { return m_pDialogs->RunMemberDlg(caption, v); },
        [this](const MemberDlgValues& v) {
            CGroup* group = m_pDoc->CurrGroup();
            return group != nullptr && group->IsMemberNameUsed(v.name);
        },
        [&](const MemberDlgValues& v) {
            return Reconciled(target, false)
                       ? m_pDoc->AddMember(v.name, v.exePath, v.iconPath, v.autoTiming, v.useMedia)
                       : EditResult::Refused(Refusal::Gone);
        });
    if (added && *added != -1) {
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
    CMember* member = m_pDoc->CurrMember();
    if (m_pDoc->CurrGroup() == nullptr || member == nullptr)
        return;
    const Target target = Current();
    const std::string oldName = member->m_szName;
    MemberDlgValues values{member->m_szName, member->m_szExePath, member->m_szIconPath,
                           member->m_nAutoTiming, member->m_nUseMedia};
    std::string caption = CaptionFit::Make("タイトル[ ", oldName, " ]の編集");
    std::optional<EditResult> edited = UntilStored(
        values, [&](MemberDlgValues& v) { return m_pDialogs->RunMemberDlg(caption, v); },
        [&](const MemberDlgValues& v) {
            CGroup* group = m_pDoc->CurrGroup();
            return v.name != oldName && group != nullptr && group->IsMemberNameUsed(v.name);
        },
        [&](const MemberDlgValues& v) {
            return Reconciled(target, true)
                       ? m_pDoc->EditMember(v.name, v.exePath, v.iconPath, v.autoTiming, v.useMedia)
                       : EditResult::Refused(Refusal::Gone);
        });
    if (edited && *edited != -1) {
        m_pView->FillMemberList();
        m_pView->UpdateStatistics();
    }
}

void CLibraryCommands::OnMemberOrder()
{
    if (!RequireMembers() || Busy())
        return;
    const Target target = Current();
    m_pDialogs->RunMemberOrderDlg(m_pDoc);
    // The new order is kept at once, as the genre order is: a later reload must not lose it.
    // It goes on top of the genre file as it is on disk now.
    std::vector<std::string> order = MemberNames(m_pDoc->CurrGroup());
    if (Reconciled(target, false)) {
        CGroup* group = m_pDoc->CurrGroup();
        group->ApplyOrder(order);
        group->Save();
    }
    m_pView->FillMemberList();
}

void CLibraryCommands::OnMemberMove()
{
    if (!RequireMembers() || Busy())
        return;
    const Target target = Current();
    int dest = -1;
    // The dialog starts on the current genre, so a confirmed choice names a genre; one
    // that does not is never passed on. Both genres are found again by name.
    if (m_pDialogs->RunMemberMoveDlg(m_pDoc, dest) && dest >= 0 && dest < m_pDoc->m_nGroupCount) {
        const std::string destName = m_pDoc->m_Group[static_cast<size_t>(dest)].m_szName;
        if (Reconciled(target, true)) {
            dest = m_pDoc->IndexOfGroup(destName);
            if (dest >= 0)
                m_pDoc->MoveMember(dest);
            else
                Messenger::Show(GoneElsewhereMessage("ジャンル", destName));
        }
    }

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
    if (Reconciled(Current(), true))
        m_pDoc->ResetHistory();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnMemberDelete()
{
    if (!RequireMembers() || Busy())
        return;
    CGroup* group = Reconciled(Current(), true) ? m_pDoc->CurrGroup() : nullptr;
    if (group != nullptr)
        group->DeleteMember(group->m_nCurrMember);
    m_pView->FillMemberList();
    m_pView->UpdateStatistics();
}

void CLibraryCommands::OnMemberDeleteAll()
{
    if (!HasMembers() || Busy())
        return;
    const Target target = Current();
    const std::vector<std::string> seen = MemberNames(m_pDoc->CurrGroup());
    if (!Messenger::Ask("全てのタイトルを削除します. 宜しいですか ?"))
        return;
    CGroup* group = ConfirmedAgain(target, seen, kAskAgainDeleteAll) ? m_pDoc->CurrGroup() : nullptr;
    if (group != nullptr)
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
