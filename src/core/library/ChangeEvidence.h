#pragma once

#include <string>
#include <vector>

class CGroup;
class PendingChange;

// What the files on disk show of a change a stopped run recorded (PendingChange): no step
// of it made, some step of exactly that change made (or all of them), or neither (a record
// that is stale, copied from elsewhere, or made up). The genres it looks at are read.
class ChangeEvidence {
public:
    enum class Shows { NoStep, SomeStep, Neither };

    Shows shows = Shows::Neither;
    std::string found;  // for Neither: what the files show, for the user

    // Whether the change is to be finished. Otherwise its record is dropped (no step made),
    // put aside (the files fit neither), or, when a genre file it needs cannot be read
    // (`unreadable`, which its load reported), kept for a later start.
    bool GoOn(PendingChange& change, bool unreadable = false) const;

    // A genre the record names is not listed.
    static ChangeEvidence GroupNotListed(const std::string& name);
    // Title `title` moved from `source` to `target`: its log first, then the target's file,
    // then the source's.
    static ChangeEvidence OfMove(const CGroup& source, const CGroup& target, const std::string& title);
    // Genre `from` renamed `to` (paths in `dataDir`): its folder, its file, then the list.
    static ChangeEvidence OfGroupRename(const std::string& dataDir, const std::string& from, bool fromListed,
                                        const std::string& to, bool toListed);
    // The listed genre `group` deleted: its titles' logs in order, its file saved empty, its
    // folder, its file, then the list.
    static ChangeEvidence OfGroupDeletion(const CGroup& group);
    // Genre `name` deleted, and no longer listed.
    static ChangeEvidence OfUnlistedGroupDeletion(const std::string& dataDir, const std::string& name);
    // Title `from` of `group` renamed `to`: its log, then the genre file.
    static ChangeEvidence OfTitleRename(const CGroup& group, const std::string& from, const std::string& to);
    // Title `title` of `group` deleted: its log, then the genre file.
    static ChangeEvidence OfTitleDeletion(const CGroup& group, const std::string& title);
    // Every title of `group` deleted: the logs in order, then the genre file.
    static ChangeEvidence OfTitlesDeletion(const CGroup& group);
    // Titles `names` added to `group`: their logs in order, then the genre file.
    static ChangeEvidence OfTitlesAddition(const CGroup& group, const std::vector<std::string>& names);
    // Genre `name` created (paths in `dataDir`), not listed yet: its folder, then its file.
    static ChangeEvidence OfGroupCreation(const std::string& dataDir, const std::string& name);

private:
    static ChangeEvidence NoStep() { return {Shows::NoStep, {}}; }
    static ChangeEvidence SomeStep() { return {Shows::SomeStep, {}}; }
    static ChangeEvidence Neither(std::string found) { return {Shows::Neither, std::move(found)}; }
};
