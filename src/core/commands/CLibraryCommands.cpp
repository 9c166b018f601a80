#include "commands/CLibraryCommands.h"

#include "app/CZarn2App.h"
#include "commands/CaptionFit.h"
#include "commands/IDialogRunner.h"
#include "commands/IViewRefresh.h"
#include "library/CZarn2Doc.h"
#include "platform/IMessenger.h"

#include <optional>

namespace {

constexpr char kCreateGroup[] = "ジャンルを作成して下さい.";
constexpr char kRegisterMember[] = "タイトルを登録して下さい..";

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
    GroupDlgValues values{m_pDoc->GetCurrGroupName(), group != nullptr ? group->m_nPlayMode : 0};
    // An unchanged name is not tested: a change of the play mode alone goes through.
    std::optional<EditResult> renamed = UntilStored(
        values, [this](GroupDlgValues& v) { return m_pDialogs->RunGroupDlg("ジャンルの編集", v); },
        [this](const GroupDlgValues& v) {
            return v.name != m_pDoc->GetCurrGroupName() && m_pDoc->IsGroupNameUsed(v.name);
        },
        [this](const GroupDlgValues& v) { return m_pDoc->RenameGroup(v.name, v.playMode); });
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
    std::optional<EditResult> added = UntilStored(
        values, [&](MemberDlgValues& v) { return m_pDialogs->RunMemberDlg(caption, v); },
        [this](const MemberDlgValues& v) {
            CGroup* group = m_pDoc->CurrGroup();
            return group != nullptr && group->IsMemberNameUsed(v.name);
        },
        [this](const MemberDlgValues& v) {
            return m_pDoc->AddMember(v.name, v.exePath, v.iconPath, v.autoTiming, v.useMedia);
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
    CGroup* group = m_pDoc->CurrGroup();
    CMember* member = m_pDoc->CurrMember();
    if (group == nullptr || member == nullptr)
        return;
    const std::string oldName = member->m_szName;
    MemberDlgValues values{member->m_szName, member->m_szExePath, member->m_szIconPath,
                           member->m_nAutoTiming, member->m_nUseMedia};
    std::string caption = CaptionFit::Make("タイトル[ ", oldName, " ]の編集");
    std::optional<EditResult> edited = UntilStored(
        values, [&](MemberDlgValues& v) { return m_pDialogs->RunMemberDlg(caption, v); },
        [&](const MemberDlgValues& v) { return v.name != oldName && group->IsMemberNameUsed(v.name); },
        [this](const MemberDlgValues& v) {
            return m_pDoc->EditMember(v.name, v.exePath, v.iconPath, v.autoTiming, v.useMedia);
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
    m_pDialogs->RunMemberOrderDlg(m_pDoc);
    // The new order is kept at once, as the genre order is: a later reload must not lose it.
    if (CGroup* group = m_pDoc->CurrGroup())
        group->Save();
    m_pView->FillMemberList();
}

void CLibraryCommands::OnMemberMove()
{
    if (!RequireMembers() || Busy())
        return;
    int dest = -1;
    // The dialog starts on the current genre, so a confirmed choice names a genre; one
    // that does not is never passed on.
    if (m_pDialogs->RunMemberMoveDlg(m_pDoc, dest) && dest >= 0 && dest < m_pDoc->m_nGroupCount)
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
