#include "sync/NameUnion.h"

#include "library/CGroup.h"
#include "library/CZarn2Doc.h"
#include "library/NameRules.h"

#include <unordered_set>
#include <vector>

namespace {

template <class Entry, class NameOf>
NameUnion::Outcome Union(std::vector<Entry>& current, const std::vector<Entry>& copy, size_t capacity,
                         NameRules::Kind kind, NameOf nameOf)
{
    NameUnion::Outcome outcome;
    std::unordered_set<std::string> names;
    for (const Entry& entry : current)
        names.insert(nameOf(entry));
    for (const Entry& entry : copy) {
        std::string name = nameOf(entry);
        if (names.count(name))
            continue;
        if (NameRules::StoredNameProblem(kind, name).Refused()) {
            if (outcome.badNames++ == 0)
                outcome.badName = name;
            continue;
        }
        if (current.size() >= capacity) {
            ++outcome.overflow;
            continue;
        }
        names.insert(name);
        current.push_back(entry);
        ++outcome.added;
    }
    return outcome;
}

}  // namespace

namespace NameUnion {

Outcome AddTitles(GroupFile::Content& current, const GroupFile::Content& copy)
{
    return Union(current.titles, copy.titles, CGroup::kMaxMembers, NameRules::Kind::Member,
                 [](const GroupFile::Title& title) { return title.name.value_or(std::string()); });
}

Outcome AddGenres(GroupListFile::Content& current, const GroupListFile::Content& copy)
{
    Outcome outcome = Union(current.names, copy.names, CZarn2Doc::kMaxGroups, NameRules::Kind::Group,
                            [](const std::string& name) { return name; });
    current.hasList = current.hasList || outcome.added > 0;
    return outcome;
}

}  // namespace NameUnion
