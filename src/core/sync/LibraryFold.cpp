#include "sync/LibraryFold.h"

#include "platform/Format.h"
#include "sync/LibraryFoldParts.h"

#include <algorithm>

using Journal::Entry;
using Journal::Kind;
using namespace LibraryFoldParts;

namespace LibraryFoldParts {

std::string Shown(const Journal::Play& play)
{
    std::string start = play.StartText();
    std::replace(start.begin(), start.end(), ',', ' ');
    return start;
}

const char* FieldLabel(const std::string& field)
{
    if (field == "name")
        return "名前";
    if (field == "exe")
        return "実行ファイル";
    if (field == "icon")
        return "アイコン";
    if (field == "auto")
        return "計測方法";
    if (field == "media")
        return "CD/DVD の使用";
    if (field == "mode")
        return "属性";
    return "ジャンル";  // a move
}

bool Changes(Kind kind)
{
    return kind != Kind::GenreDelete && kind != Kind::TitleDelete && kind != Kind::PlayDelete &&
           kind != Kind::PlaysClear && kind != Kind::GenreSelect && kind != Kind::TitleSelect;
}

void ApplyOrder(std::vector<LibraryFold::Id>& order, const std::vector<LibraryFold::Id>& wanted)
{
    std::vector<LibraryFold::Id> result;
    for (LibraryFold::Id id : wanted)
        if (std::find(order.begin(), order.end(), id) != order.end() &&
            std::find(result.begin(), result.end(), id) == result.end())
            result.push_back(id);
    for (LibraryFold::Id id : order)
        if (std::find(result.begin(), result.end(), id) == result.end())
            result.push_back(id);
    order = std::move(result);
}

}  // namespace LibraryFoldParts

void LibraryFold::Touch::Add(const Journal::Entry& entry)
{
    int& seq = seqs[entry.machine];
    seq = std::max(seq, entry.seq);
    maxStamp = std::max(maxStamp, entry.stamp);
}

// ---- applying lines -------------------------------------------------------------------

void LibraryFold::Fold(std::vector<EntryPtr> entries, const std::vector<std::string>& machineNames)
{
    *this = LibraryFold();
    m_machineNames = machineNames;
    std::sort(entries.begin(), entries.end(), [&machineNames](const EntryPtr& a, const EntryPtr& b) {
        if (a->stamp != b->stamp)
            return a->stamp < b->stamp;
        const std::string& ma = machineNames[static_cast<size_t>(a->machine)];
        const std::string& mb = machineNames[static_cast<size_t>(b->machine)];
        return ma != mb ? ma < mb : a->seq < b->seq;
    });
    for (EntryPtr& entry : entries)
        Apply(std::move(entry));
}

void LibraryFold::Apply(EntryPtr entry)
{
    int at = static_cast<int>(m_applied.size());
    m_applied.push_back(entry);
    m_obsoletedBy.push_back(-1);
    m_subject.emplace_back();
    m_maxStamp = std::max(m_maxStamp, entry->stamp);
    const Entry& e = *entry;
    switch (e.kind) {
    case Kind::GenreAdd: AddGenre(e, at); break;
    case Kind::GenreField: GenreField(e, at); break;
    case Kind::GenreDelete: DeleteGenre(e, at); break;
    case Kind::GenreOrder: OrderGenres(e, at); break;
    case Kind::TitleAdd: AddTitle(e, at); break;
    case Kind::TitleField: TitleField(e, at); break;
    case Kind::TitleMove: MoveTitle(e, at); break;
    case Kind::TitleDelete: DeleteTitle(e, at); break;
    case Kind::TitleOrder: OrderTitles(e, at); break;
    case Kind::PlayAdd:
    case Kind::PlaySeen: AddPlay(e, at); break;
    case Kind::PlayDelete: DeletePlay(e, at); break;
    case Kind::PlayChange: ChangePlay(e, at); break;
    case Kind::PlaysClear: ClearPlays(e, at); break;
    case Kind::GenreSelect: SelectGenre(e, at); break;
    case Kind::TitleSelect: SelectTitle(e, at); break;
    }
}

LibraryFold::Id LibraryFold::Resolve(const std::map<Id, Id>& aliases, Id id) const
{
    for (auto at = aliases.find(id); at != aliases.end(); at = aliases.find(id))
        id = at->second;
    return id;
}

LibraryFold::Genre* LibraryFold::FindGenre(const Journal::Ref& ref)
{
    if (ref.ById()) {
        auto at = m_genres.find(Resolve(m_genreAlias, ref.id));
        return at == m_genres.end() ? nullptr : &at->second;
    }
    // By name: the living genre, else the one that had the name last.
    if (const Genre* living = GenreNamed(ref.genre))
        return const_cast<Genre*>(living);
    auto owner = m_genreOwner.find(ref.genre);
    return owner == m_genreOwner.end() ? nullptr : &m_genres.at(owner->second);
}

LibraryFold::Title* LibraryFold::FindTitle(const Journal::Ref& ref)
{
    if (ref.ById()) {
        auto at = m_titles.find(Resolve(m_titleAlias, ref.id));
        return at == m_titles.end() ? nullptr : &at->second;
    }
    Journal::Ref genreRef;
    genreRef.genre = ref.genre;
    if (Genre* genre = FindGenre(genreRef))
        if (const Title* living = TitleNamed(*genre, ref.title))
            return const_cast<Title*>(living);
    auto owner = m_pathOwner.find({ref.genre, ref.title});
    return owner == m_pathOwner.end() ? nullptr : &m_titles.at(owner->second);
}

LibraryFold::Title* LibraryFold::SubjectTitle(const Journal::Entry& e, int at, bool alive)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr || (alive && !title->alive))
        return nullptr;
    m_subject[static_cast<size_t>(at)].title = title->id;
    return title;
}

// ---- selections ------------------------------------------------------------------------

void LibraryFold::Supersede(int& writer, const Entry& e, int at)
{
    if (writer >= 0 && e.Saw(At(writer)))
        Obsolete(writer, at);
    writer = at;
}

void LibraryFold::Obsolete(int line, int by)
{
    // A line that made a genre or title is needed as long as it lives, whatever it set first.
    Kind kind = At(line).kind;
    if (kind != Kind::GenreAdd && kind != Kind::TitleAdd)
        m_obsoletedBy[static_cast<size_t>(line)] = by;
}

void LibraryFold::SelectGenre(const Entry& e, int at)
{
    Genre* genre = e.subject.ById() || !e.subject.genre.empty() ? FindGenre(e.subject) : nullptr;
    if (genre != nullptr && !genre->alive)
        return;
    m_current = genre != nullptr ? genre->id : Id{};
    Supersede(m_currentWriter, e, at);
    m_listTouch.Add(e);
}

void LibraryFold::SelectTitle(const Entry& e, int at)
{
    Genre* genre = FindGenre(e.subject);
    if (genre == nullptr || !genre->alive)
        return;
    m_subject[static_cast<size_t>(at)].genre = genre->id;
    Title* title = e.More().target.ById() || !e.More().target.title.empty() ? FindTitle(e.More().target) : nullptr;
    if (title != nullptr && (!title->alive || title->genre != genre->id))
        return;
    genre->current = title != nullptr ? title->id : Id{};
    auto [writer, added] = genre->fieldWriter.emplace("current", -1);
    Supersede(writer->second, e, at);
    genre->touch.Add(e);
}

// ---- notices --------------------------------------------------------------------------

void LibraryFold::Tell(int machine, std::string key, std::string text)
{
    if (!m_noticeKeys.insert(key + "@" + std::to_string(machine)).second)
        return;
    m_notices.push_back({machine, std::move(key), std::move(text)});
}

void LibraryFold::TellLoser(int writer, const Entry& e, const std::string& what)
{
    const Entry& lost = At(writer);
    if (lost.machine == e.machine)
        return;
    Tell(lost.machine, "lost:" + Ref(lost) + ":" + Ref(e),
         Format("%sをこの PC で変更しましたが, 他の PC でその後に行われた変更になりました.", what.c_str()));
}

std::string LibraryFold::Where(const Title& title) const
{
    return Format("タイトル [%s] (ジャンル [%s])", title.name.c_str(), m_genres.at(title.genre).name.c_str());
}

const std::string& LibraryFold::MachineName(int machine) const
{
    static const std::string unknown = "?";
    return machine >= 0 && static_cast<size_t>(machine) < m_machineNames.size()
               ? m_machineNames[static_cast<size_t>(machine)]
               : unknown;
}

std::string LibraryFold::Ref(const Entry& e) const { return MachineName(e.machine) + "." + std::to_string(e.seq); }

std::string LibraryFold::Ref(const Title& title) const
{
    return MachineName(title.id.machine) + "." + std::to_string(title.id.seq);
}

// ---- results --------------------------------------------------------------------------

const LibraryFold::Genre* LibraryFold::GenreOf(Id id) const
{
    auto at = m_genres.find(Resolve(m_genreAlias, id));
    return at == m_genres.end() ? nullptr : &at->second;
}

const LibraryFold::Title* LibraryFold::TitleOf(Id id) const
{
    auto at = m_titles.find(Resolve(m_titleAlias, id));
    return at == m_titles.end() ? nullptr : &at->second;
}

const LibraryFold::Genre* LibraryFold::GenreNamed(const std::string& name) const
{
    for (Id id : m_order)
        if (const Genre& genre = m_genres.at(id); genre.name == name)
            return &genre;
    return nullptr;
}

const LibraryFold::Title* LibraryFold::TitleNamed(const Genre& genre, const std::string& name) const
{
    for (Id id : genre.titles)
        if (const Title& title = m_titles.at(id); title.name == name)
            return &title;
    return nullptr;
}

std::vector<LibraryFold::Play> LibraryFold::Plays(const Title& title) const
{
    std::vector<Play> plays;
    for (const auto& [play, state] : title.plays)
        if (state.alive)
            plays.push_back(play);
    return plays;
}

const LibraryFold::Title* LibraryFold::PathOwner(const std::string& genre, const std::string& title) const
{
    auto at = m_pathOwner.find({genre, title});
    return at == m_pathOwner.end() ? nullptr : &m_titles.at(at->second);
}

bool LibraryFold::Recorded(int i) const
{
    Kind kind = At(i).kind;
    return kind == Kind::PlayAdd || kind == Kind::PlayChange;
}

int LibraryFold::ObsoletedBy(size_t i) const
{
    if (m_obsoletedBy[i] >= 0)
        return m_obsoletedBy[i];
    const Entry& e = *m_applied[i];
    const Subject& subject = m_subject[i];
    if (subject.title.machine >= 0) {
        const Title& title = m_titles.at(Resolve(m_titleAlias, subject.title));
        if (!title.alive && title.killer >= 0 && title.killer != static_cast<int>(i) && e.kind != Kind::TitleDelete)
            return title.killer;
        if ((e.kind == Kind::PlayAdd || e.kind == Kind::PlaySeen)) {
            auto play = title.plays.find(subject.play);
            if (play != title.plays.end() && !play->second.alive && play->second.killer >= 0)
                return play->second.killer;
        }
    }
    if (subject.genre.machine >= 0 && (e.kind == Kind::GenreAdd || e.kind == Kind::GenreField)) {
        const Genre& genre = m_genres.at(Resolve(m_genreAlias, subject.genre));
        if (!genre.alive && genre.killer >= 0)
            return genre.killer;
    }
    return -1;
}
