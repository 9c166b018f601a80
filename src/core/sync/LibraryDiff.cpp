#include "sync/LibraryDiff.h"

#include "library/CGroup.h"
#include "library/CZarn2Doc.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "library/NameRules.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "sync/ChangeRecorder.h"

#include <algorithm>
#include <set>

namespace {

using Journal::Kind;
using Journal::TitleFields;

bool Usable(NameRules::Kind kind, const std::string& name)
{
    return !NameRules::StoredNameProblem(kind, name).Refused();
}

const TitleFields* Find(const std::vector<TitleFields>& titles, const std::string& name)
{
    auto at = std::find_if(titles.begin(), titles.end(), [&](const TitleFields& t) { return t.name == name; });
    return at == titles.end() ? nullptr : &*at;
}

bool Has(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

void FieldChanges(const Journal::Ref& title, const TitleFields& before, const TitleFields& after,
                  ChangeRecorder& recorder)
{
    const std::pair<const char*, std::pair<std::string, std::string>> fields[] = {
        {"exe", {before.exe, after.exe}},
        {"icon", {before.icon, after.icon}},
        {"auto", {std::to_string(before.autoTiming), std::to_string(after.autoTiming)}},
        {"media", {std::to_string(before.useMedia), std::to_string(after.useMedia)}}};
    for (const auto& [field, values] : fields) {
        if (values.first == values.second)
            continue;
        Journal::Entry& e = recorder.Add(Kind::TitleField);
        e.subject = title;
        e.More().field = field;
        e.More().value = values.second;
    }
}

}  // namespace

namespace LibraryDiff {

std::optional<GenreContent> OfGenreFile(std::string_view bytes)
{
    TextFileReader reader;
    reader.OpenBytes(std::string(bytes));
    GroupFile::Content content = GroupFile::Read(reader);
    if (!content.problem.empty())
        return std::nullopt;
    GenreContent out;
    out.mode = content.playMode.value_or(0);
    std::set<std::string> taken;
    for (const GroupFile::Title& title : content.titles) {
        std::string name = title.name.value_or("");
        if (!Usable(NameRules::Kind::Member, name) || !taken.insert(name).second)
            continue;
        if (out.titles.size() == static_cast<size_t>(CGroup::kMaxMembers))
            break;
        // A flag is written "1" when it is exactly 1, else "0".
        out.titles.push_back({name, title.exePath.value_or(""), title.iconPath.value_or(""),
                              title.autoTiming.value_or(1) == 1 ? 1 : 0, title.useMedia.value_or(0) == 1 ? 1 : 0});
    }
    int current = std::clamp(content.currMember.value_or(-1), -1, static_cast<int>(out.titles.size()) - 1);
    if (current >= 0)
        out.current = out.titles[static_cast<size_t>(current)].name;
    return out;
}

std::optional<ListContent> OfGroupList(std::string_view bytes)
{
    TextFileReader reader;
    reader.OpenBytes(std::string(bytes));
    GroupListFile::Content content = GroupListFile::Read(reader);
    if (!content.problem.empty())
        return std::nullopt;
    ListContent out;
    for (const std::string& name : content.names) {
        if (!Usable(NameRules::Kind::Group, name) || Has(out.names, name))
            continue;
        if (out.names.size() == static_cast<size_t>(CZarn2Doc::kMaxGroups))
            break;
        out.names.push_back(name);
    }
    int current = std::clamp(content.currGroup.value_or(-1), -1, static_cast<int>(out.names.size()) - 1);
    if (current >= 0)
        out.current = out.names[static_cast<size_t>(current)];
    return out;
}

GenreContent OfFold(const LibraryFold& fold, const LibraryFold::Genre& genre)
{
    GenreContent out;
    out.mode = genre.mode;
    for (LibraryFold::Id id : genre.titles) {
        if (out.titles.size() == static_cast<size_t>(CGroup::kMaxMembers))
            break;
        const LibraryFold::Title& title = *fold.TitleOf(id);
        out.titles.push_back({title.name, title.exe, title.icon, title.autoTiming == 1 ? 1 : 0,
                              title.useMedia == 1 ? 1 : 0});
        if (id == genre.current)
            out.current = title.name;
    }
    return out;
}

ListContent OfFold(const LibraryFold& fold)
{
    ListContent out;
    for (LibraryFold::Id id : fold.GenreOrder()) {
        if (out.names.size() == static_cast<size_t>(CZarn2Doc::kMaxGroups))
            break;
        out.names.push_back(fold.GenreOf(id)->name);
        if (id == fold.CurrentGenre())
            out.current = out.names.back();
    }
    return out;
}

namespace {

int IndexOf(const std::vector<std::string>& names, const std::optional<std::string>& name)
{
    auto at = name ? std::find(names.begin(), names.end(), *name) : names.end();
    return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

}  // namespace

void Write(const GenreContent& content, TextFileWriter& writer)
{
    GroupFile::Content file;
    file.playMode = content.mode;
    std::vector<std::string> names;
    for (const TitleFields& t : content.titles) {
        file.titles.push_back({t.name, t.exe, t.icon, t.autoTiming, t.useMedia});
        names.push_back(t.name);
    }
    file.currMember = IndexOf(names, content.current);
    GroupFile::Write(file, writer);
}

void Write(const ListContent& content, TextFileWriter& writer)
{
    GroupListFile::Write(content.names, IndexOf(content.names, content.current), writer);
}

void Genre(const std::string& genre, const GenreContent& before, const GenreContent& after, ChangeRecorder& recorder)
{
    const Journal::Ref genreRef = recorder.Genre(genre);
    if (before.mode != after.mode) {
        Journal::Entry& e = recorder.Add(Kind::GenreField);
        e.subject = genreRef;
        e.More().field = "mode";
        e.More().value = std::to_string(after.mode);
    }
    std::set<std::string> goneDone;  // names of `before` accounted for
    std::set<std::string> cameDone;  // names of `after` accounted for
    for (const ChangeHints::Rename& rename : recorder.Hints().titles) {
        const TitleFields* from = Find(before.titles, rename.from);
        const TitleFields* to = Find(after.titles, rename.to);
        if (rename.genre != genre || !from || !to || Find(after.titles, rename.from) || Find(before.titles, rename.to))
            continue;
        Journal::Ref title = recorder.Title(genre, rename.from);
        Journal::Entry& e = recorder.Add(Kind::TitleField);
        e.subject = title;
        e.More().field = "name";
        e.More().value = rename.to;
        if (title.ById())
            recorder.NamedTitle(genre, rename.to, title.id);
        FieldChanges(title, *from, *to, recorder);
        goneDone.insert(rename.from);
        cameDone.insert(rename.to);
    }
    for (const ChangeHints::Move& move : recorder.Hints().moves)
        if (move.from == genre && Find(before.titles, move.title) && !Find(after.titles, move.title))
            goneDone.insert(move.title);
    // What is kept in its order, then what comes is added at the end.
    std::vector<std::string> expected;
    for (const TitleFields& title : before.titles) {
        std::string name = title.name;
        for (const ChangeHints::Rename& rename : recorder.Hints().titles)
            if (rename.genre == genre && rename.from == name && cameDone.count(rename.to))
                name = rename.to;
        if (goneDone.count(title.name) && name == title.name)
            continue;
        if (!Find(after.titles, name)) {
            Journal::Entry& e = recorder.Add(Kind::TitleDelete);
            e.subject = recorder.Title(genre, name);
            continue;
        }
        expected.push_back(name);
        if (name == title.name)
            FieldChanges(recorder.Title(genre, name), title, *Find(after.titles, name), recorder);
    }
    for (const TitleFields& title : after.titles) {
        if (Find(before.titles, title.name) || cameDone.count(title.name))
            continue;
        auto move = std::find_if(recorder.Hints().moves.begin(), recorder.Hints().moves.end(),
                                 [&](const ChangeHints::Move& m) { return m.to == genre && m.title == title.name; });
        if (move != recorder.Hints().moves.end()) {
            Journal::Entry& e = recorder.Add(Kind::TitleMove);
            e.subject = recorder.Title(move->from, title.name);
            e.More().target = genreRef;
            if (e.subject.ById())
                recorder.NamedTitle(genre, title.name, e.subject.id);
        } else {
            Journal::Entry& e = recorder.Add(Kind::TitleAdd);
            e.subject = genreRef;
            e.More().title = title;
            recorder.NamedTitle(genre, title.name, e.MadeId());
        }
        expected.push_back(title.name);
    }
    std::vector<std::string> now;
    for (const TitleFields& title : after.titles)
        now.push_back(title.name);
    if (now != expected) {
        Journal::Entry& e = recorder.Add(Kind::TitleOrder);
        e.subject = genreRef;
        for (const std::string& name : now)
            e.More().order.push_back(recorder.Title(genre, name));
    }
    std::optional<std::string> was = before.current;
    for (const ChangeHints::Rename& rename : recorder.Hints().titles)
        if (rename.genre == genre && was == rename.from && cameDone.count(rename.to))
            was = rename.to;
    if (was != after.current) {
        Journal::Entry& e = recorder.Add(Kind::TitleSelect);
        e.subject = genreRef;
        if (after.current)
            e.More().target = recorder.Title(genre, *after.current);
    }
}

void List(const ListContent& before, const ListContent& after, ChangeRecorder& recorder,
          const std::function<int(const std::string&)>& modeOf)
{
    std::vector<std::string> expected;
    std::set<std::string> came;
    std::optional<std::string> was = before.current;
    for (const std::string& name : before.names) {
        std::string now = name;
        for (const ChangeHints::Rename& rename : recorder.Hints().genres)
            if (rename.from == name && Has(after.names, rename.to) && !Has(before.names, rename.to) &&
                !Has(after.names, name))
                now = rename.to;
        if (now != name) {
            Journal::Entry& e = recorder.Add(Kind::GenreField);
            e.subject = recorder.Genre(name);
            e.More().field = "name";
            e.More().value = now;
            if (e.subject.ById())
                recorder.NamedGenre(now, e.subject.id);
            came.insert(now);
            if (was == name)
                was = now;
        } else if (!Has(after.names, name)) {
            Journal::Entry& e = recorder.Add(Kind::GenreDelete);
            e.subject = recorder.Genre(name);
            continue;
        }
        expected.push_back(now);
    }
    for (const std::string& name : after.names) {
        if (Has(before.names, name) || came.count(name))
            continue;
        Journal::Entry& e = recorder.Add(Kind::GenreAdd);
        e.More().value = name;
        e.More().mode = modeOf(name);
        recorder.NamedGenre(name, e.MadeId());
        expected.push_back(name);
    }
    if (after.names != expected) {
        Journal::Entry& e = recorder.Add(Kind::GenreOrder);
        for (const std::string& name : after.names)
            e.More().order.push_back(recorder.Genre(name));
    }
    if (was != after.current) {
        Journal::Entry& e = recorder.Add(Kind::GenreSelect);
        if (after.current)
            e.subject = recorder.Genre(*after.current);
    }
}

}  // namespace LibraryDiff
