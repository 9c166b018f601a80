// What the document does at start about a run that stopped in the middle of a change.
#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "library/ChangeEvidence.h"
#include "library/ILibraryJournal.h"
#include "library/PendingChange.h"
#include "platform/FileSystem.h"
#include "platform/LeadingInt.h"

#include <optional>

namespace {

// See ChangeEvidence::GoOn.
bool Proceed(PendingChange& change, const ChangeEvidence& evidence, bool unreadable = false)
{
    return evidence.GoOn(change, unreadable);
}

}  // namespace

// The genre list has been read, no genre file yet. Only the genres the change concerns are
// read (and marked). A change whose files show a step of exactly it made is finished as
// far as the files allow, its record kept when a step fails again (Proceed).
std::bitset<CZarn2Doc::kMaxGroups> CZarn2Doc::FinishPendingChange()
{
    std::bitset<kMaxGroups> loaded;
    std::optional<PendingChange::Record> record = PendingChange::Find(*m_pApp);
    if (!record)
        return loaded;
    PendingChange change = PendingChange::Resume(*m_pApp, *record);
    const std::vector<std::string>& args = record->args;
    bool unreadable = false;
    auto load = [&](const std::string& name) -> CGroup* {
        int i = IndexOfGroup(name);
        if (i < 0)
            return nullptr;
        CGroup& group = m_Group[static_cast<size_t>(i)];
        if (!loaded[static_cast<size_t>(i)])
            group.Load();
        loaded.set(static_cast<size_t>(i));
        unreadable = unreadable || group.m_bUnreadable;
        return &group;
    };
    auto goOn = [&](const ChangeEvidence& evidence) { return Proceed(change, evidence, unreadable); };
    switch (record->kind) {
    case PendingChange::Kind::MoveMember: {
        CGroup* source = load(args[0]);
        CGroup* target = load(args[1]);
        if (!source || !target)
            goOn(ChangeEvidence::GroupNotListed(source ? args[1] : args[0]));
        else if (goOn(ChangeEvidence::OfMove(*source, *target, args[2])))
            FinishMove(*source, *target, args[2], change);
        break;
    }
    case PendingChange::Kind::RenameGroup:
        FinishGroupRename(args[0], args[1], LeadingInt(args[2]).value_or(0), change, loaded);
        break;
    case PendingChange::Kind::DeleteGroup: {
        int i = IndexOfGroup(args[0]);
        if (i < 0) {
            goOn(ChangeEvidence::OfUnlistedGroupDeletion(m_pApp->m_szDataDir, args[0]));
            break;
        }
        CGroup& group = m_Group[static_cast<size_t>(i)];
        // A genre file removed already leaves a genre without titles to delete.
        bool read = FileSystem::EntryExists(group.m_szGroupFile);
        if (read)
            unreadable = group.Load() < 0 && group.m_bUnreadable;
        else {
            group.m_bUnreadable = false;
            group.m_version.Look(group.m_szGroupFile);
        }
        if (goOn(ChangeEvidence::OfGroupDeletion(group))) {
            FinishDeleteGroup(i, change);
            loaded.reset();  // the later genres moved down a slot, none of them read
        } else {
            loaded.set(static_cast<size_t>(i), read);
        }
        break;
    }
    case PendingChange::Kind::RenameMember:
        if (CGroup* group = load(args[0]); !group) {
            goOn(ChangeEvidence::GroupNotListed(args[0]));
        } else if (goOn(ChangeEvidence::OfTitleRename(*group, args[1], args[2])) && !group->HasMember(args[2])) {
            group->FinishEdit(group->IndexOf(args[1]), args[2], args[3], args[4], LeadingInt(args[5]).value_or(1),
                              LeadingInt(args[6]).value_or(0), change);
        }
        break;
    case PendingChange::Kind::DeleteMember:
        if (CGroup* group = load(args[0]); !group) {
            goOn(ChangeEvidence::GroupNotListed(args[0]));
        } else if (goOn(ChangeEvidence::OfTitleDeletion(*group, args[1])) && group->HasMember(args[1])) {
            group->FinishDelete(group->IndexOf(args[1]), change);
        }
        break;
    case PendingChange::Kind::DeleteAllMembers:
        if (CGroup* group = load(args[0]); !group)
            goOn(ChangeEvidence::GroupNotListed(args[0]));
        else if (goOn(ChangeEvidence::OfTitlesDeletion(*group)))
            group->DropAllMembers(change);
        break;
    case PendingChange::Kind::AddMembers:
        FinishImport(args, change, loaded);
        break;
    }
    return loaded;
}

// The genre may have its new name on disk already: it is read once it has.
void CZarn2Doc::FinishGroupRename(const std::string& from, const std::string& to, int playMode,
                                  PendingChange& change, std::bitset<kMaxGroups>& loaded)
{
    int i = IndexOfGroup(from);
    bool finish = Proceed(change, ChangeEvidence::OfGroupRename(m_pApp->m_szDataDir, from, i >= 0, to,
                                                                 IndexOfGroup(to) >= 0));
    if (!finish || i < 0)
        return;  // a list that names the new name has every step made
    CGroup& group = m_Group[static_cast<size_t>(i)];
    if (group.MoveFilesTo(to, &change) != Refusal::None)
        return;
    if (m_pJournal)
        m_pJournal->GenreRenamed(from, to);
    group.SetName(to);
    group.Load();
    loaded.set(static_cast<size_t>(i));
    if (group.m_bUnreadable)
        change.Keep();
    else if (group.Rename(to, playMode, &change) >= 0 && !WriteListFile())
        change.Keep();
}
