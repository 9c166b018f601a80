// What the document does at start about a run that stopped in the middle of a change.
#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "library/PendingChange.h"
#include "platform/FileSystem.h"
#include "platform/LeadingInt.h"

#include <optional>

// The genre list has been read, no genre file yet. Only the genres the change concerns are
// read (and marked); the change is finished as far as the files allow, and its record is
// kept when a step fails again.
std::bitset<CZarn2Doc::kMaxGroups> CZarn2Doc::FinishPendingChange()
{
    std::bitset<kMaxGroups> loaded;
    std::optional<PendingChange::Record> record = PendingChange::Find(*m_pApp);
    if (!record)
        return loaded;
    PendingChange change = PendingChange::Resume(*m_pApp, *record);
    const std::vector<std::string>& args = record->args;
    auto load = [&](const std::string& name) -> CGroup* {
        int i = IndexOfGroup(name);
        if (i < 0)
            return nullptr;
        CGroup& group = m_Group[static_cast<size_t>(i)];
        if (!loaded[static_cast<size_t>(i)])
            group.Load();
        loaded.set(static_cast<size_t>(i));
        return &group;
    };
    switch (record->kind) {
    case PendingChange::Kind::MoveMember: {
        CGroup* source = load(args[0]);
        CGroup* target = load(args[1]);
        if (source && target && source != target)
            FinishMove(*source, *target, args[2], change);
        break;
    }
    case PendingChange::Kind::RenameGroup: {
        // Its genre file may have its new name already: the genre is read once it has.
        int i = IndexOfGroup(args[0]);
        if (i < 0 || IndexOfGroup(args[1]) >= 0)
            break;
        CGroup& group = m_Group[static_cast<size_t>(i)];
        if (group.MoveFilesTo(args[1], &change) != Refusal::None)
            break;
        group.SetName(args[1]);
        group.Load();
        loaded.set(static_cast<size_t>(i));
        if (group.Rename(args[1], LeadingInt(args[2]).value_or(0), &change) >= 0 && !WriteListFile())
            change.Keep();
        break;
    }
    case PendingChange::Kind::DeleteGroup: {
        int i = IndexOfGroup(args[0]);
        if (i < 0)
            break;
        CGroup& group = m_Group[static_cast<size_t>(i)];
        // A genre file removed already leaves a genre without titles to delete.
        if (FileSystem::EntryExists(group.m_szGroupFile))
            group.Load();
        else {
            group.m_bUnreadable = false;
            group.m_version.Look(group.m_szGroupFile);
        }
        FinishDeleteGroup(i, change);
        loaded.reset();  // the later genres moved down a slot, none of them read
        break;
    }
    case PendingChange::Kind::RenameMember:
        if (CGroup* group = load(args[0]); group && !group->HasMember(args[2])) {
            int i = group->IndexOf(args[1]);
            if (i >= 0)
                group->FinishEdit(i, args[2], args[3], args[4], LeadingInt(args[5]).value_or(1),
                                  LeadingInt(args[6]).value_or(0), change);
        }
        break;
    case PendingChange::Kind::DeleteMember:
        if (CGroup* group = load(args[0])) {
            int i = group->IndexOf(args[1]);
            if (i >= 0)
                group->FinishDelete(i, change);
        }
        break;
    case PendingChange::Kind::DeleteAllMembers:
        if (CGroup* group = load(args[0]))
            group->DropAllMembers(change);
        break;
    }
    return loaded;
}
