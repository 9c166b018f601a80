// Titles added to a genre in one step (the import of the games found on this PC), and what
// the next start does about such a step that stopped half done.
#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "library/ChangeEvidence.h"
#include "library/NameRules.h"
#include "library/PendingChange.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/LeadingInt.h"

namespace {

// The record's lines: genre, whether it is new, its play mode, then each title's three.
constexpr size_t kTitleLines = 3;
constexpr size_t kFirstTitle = 3;

std::vector<std::string> RecordOf(const std::string& group, bool newGroup, int playMode,
                                  const std::vector<CGroup::NewMember>& titles)
{
    std::vector<std::string> args{group, newGroup ? "1" : "0", std::to_string(playMode)};
    for (const CGroup::NewMember& title : titles) {
        args.push_back(title.name);
        args.push_back(title.exePath);
        args.push_back(title.iconPath);
    }
    return args;
}

std::vector<CGroup::NewMember> TitlesOf(const std::vector<std::string>& args)
{
    std::vector<CGroup::NewMember> titles;
    for (size_t i = kFirstTitle; i + kTitleLines <= args.size(); i += kTitleLines)
        titles.push_back({args[i], args[i + 1], args[i + 2]});
    return titles;
}

std::vector<std::string> NamesOf(const std::vector<CGroup::NewMember>& titles)
{
    std::vector<std::string> names;
    for (const CGroup::NewMember& title : titles)
        names.push_back(title.name);
    return names;
}

}  // namespace

CGroup& CZarn2Doc::NewGroupSlot(const std::string& name, int playMode)
{
    CGroup& slot = m_Group[static_cast<size_t>(m_nGroupCount)];
    slot.Remove();
    slot.SetName(name);
    slot.m_nPlayMode = playMode;
    slot.m_nMemberCount = 0;
    slot.m_nCurrMember = -1;
    slot.m_bUnreadable = false;
    return slot;
}

bool CZarn2Doc::ListNewGroup(PendingChange& change)
{
    m_nCurrGroup = m_nGroupCount++;
    if (WriteListFile())
        return true;
    change.Keep();  // the genre's files are there: the next start lists it
    return false;
}

EditResult CZarn2Doc::ImportMembers(const std::string& group, bool newGroup, int playMode,
                                    const std::vector<CGroup::NewMember>& titles)
{
    // Added to the library as the files hold it now.
    ReloadChanged();
    if (m_bListUnreadable)
        return EditResult::Refused(ListRefusal());
    if (CheckGroups() < 0)
        return EditResult::Refused(Refusal::Inconsistent);
    int index = IndexOfGroup(group);
    if (newGroup) {
        if (m_nGroupCount >= kMaxGroups) {
            Messenger::Show(Format("Error-30 : グループ数が上限[%02d]に達しています.", kMaxGroups));
            return EditResult::Refused(Refusal::Full);
        }
        if (IsGroupNameUsed(group))
            return EditResult::Refused(Refusal::Duplicate);
        if (NameRules::Finding problem = NameRules::Problem(NameRules::Kind::Group, group); problem.Refused()) {
            Messenger::Show(problem.message);
            return EditResult::Refused(problem.reason);
        }
    } else if (index < 0) {
        Messenger::Show(GoneElsewhereMessage("ジャンル", group));
        return EditResult::Refused(Refusal::Gone);
    }
    CGroup& target = newGroup ? NewGroupSlot(group, playMode) : m_Group[static_cast<size_t>(index)];
    if (Refusal refused = target.AddMembersRefusal(titles); refused != Refusal::None)
        return EditResult::Refused(refused);
    PendingChange change(m_pApp, {PendingChange::Kind::AddMembers, RecordOf(group, newGroup, playMode, titles)});
    if (!change.Started())
        return EditResult::Refused(Refusal::FileSystem);
    if (newGroup) {
        if (EditResult created = target.Create(group, playMode); created < 0)
            return created;
    }
    EditResult added = target.FinishAddMembers(titles, change);
    if (added < 0) {
        // A genre made for the titles goes with them.
        if (newGroup && RemoveGroupFiles(target, change) == 0)
            target.Remove();
        return added;
    }
    if (newGroup)
        return ListNewGroup(change) ? added : EditResult::Refused(ListRefusal());
    m_nCurrGroup = index;
    return added;
}

// The genre list has been read, no genre file yet (see FinishPendingChange).
void CZarn2Doc::FinishImport(const std::vector<std::string>& args, PendingChange& change,
                             std::bitset<kMaxGroups>& loaded)
{
    const std::string& name = args[0];
    const bool newGroup = args[1] == "1";
    const std::vector<CGroup::NewMember> titles = TitlesOf(args);
    int index = IndexOfGroup(name);
    if (index >= 0) {
        CGroup& group = m_Group[static_cast<size_t>(index)];
        if (!loaded[static_cast<size_t>(index)])
            group.Load();
        loaded.set(static_cast<size_t>(index));
        if (group.m_bUnreadable)
            change.Keep();  // its load said so; a later start finishes
        else if (ChangeEvidence::OfTitlesAddition(group, NamesOf(titles)).GoOn(change))
            group.FinishAddMembers(titles, change);
        return;
    }
    ChangeEvidence made = newGroup ? ChangeEvidence::OfGroupCreation(m_pApp->m_szDataDir, name)
                                   : ChangeEvidence::GroupNotListed(name);
    if (!made.GoOn(change))
        return;
    if (m_nGroupCount >= kMaxGroups) {
        change.Keep();
        return;
    }
    // The folder is there; its file follows it, then the titles, then the list.
    CGroup& group = NewGroupSlot(name, LeadingInt(args[2]).value_or(0));
    if (int err = FileSystem::EntryExists(group.m_szGroupFile) ? 0 : FileSystem::CreateNew(group.m_szGroupFile)) {
        Messenger::Show(Format("エラー番号[%d]: グループファイル %s が作成出来ません.", err,
                               group.m_szGroupFile.c_str()));
        change.Keep();
        return;
    }
    group.Load();
    if (group.m_nMemberCount == 0)
        group.m_nPlayMode = LeadingInt(args[2]).value_or(0);  // a blank file, as Create left it
    ChangeEvidence titlesMade = ChangeEvidence::OfTitlesAddition(group, NamesOf(titles));
    if (group.m_bUnreadable || titlesMade.shows == ChangeEvidence::Shows::Neither) {
        if (!group.m_bUnreadable)
            change.Refuse(titlesMade.found);
        else
            change.Keep();
        group.Remove();
        return;
    }
    loaded.set(static_cast<size_t>(m_nGroupCount));
    if (group.FinishAddMembers(titles, change) >= 0)
        ListNewGroup(change);
}
