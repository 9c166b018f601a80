#include "sync/LibraryFold.h"

#include "platform/Format.h"

#include <algorithm>

namespace {

using Journal::Entry;
using Journal::Kind;

std::string Shown(const Journal::Play& play)
{
    std::string start = play.start;
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

}  // namespace

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

// ---- genres ---------------------------------------------------------------------------

void LibraryFold::AddGenre(const Entry& e, int at)
{
    Genre* same = const_cast<Genre*>(GenreNamed(e.value));
    if (same != nullptr && At(same->fieldWriter.at("name")).kind == Kind::GenreAdd) {
        // Added on two PCs: one genre, the later add's play mode winning.
        m_genreAlias[e.MadeId()] = same->id;
        m_subject[static_cast<size_t>(at)].genre = same->id;
        SetGenreField(*same, "mode", std::to_string(e.mode), e, at);
        return;
    }
    Genre& genre = m_genres[e.MadeId()];
    genre.id = e.MadeId();
    genre.mode = e.mode;
    genre.fieldWriter["name"] = genre.fieldWriter["mode"] = at;
    m_subject[static_cast<size_t>(at)].genre = genre.id;
    SetGenreName(genre, e.value, e);
    m_order.push_back(genre.id);
    genre.touch.Add(e);
    m_listTouch.Add(e);
}

void LibraryFold::GenreField(const Entry& e, int at)
{
    Genre* genre = FindGenre(e.subject);
    if (genre == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].genre = genre->id;
    if (!genre->alive) {
        if (genre->killer >= 0 && !e.Saw(At(genre->killer)))
            Tell(e.machine, "genre-gone:" + Ref(e),
                 Format("ジャンル [%s] は他の PC で削除されていたため, この PC での変更 (%s) は行われませんでした.",
                        genre->name.c_str(), FieldLabel(e.field)));
        return;
    }
    SetGenreField(*genre, e.field, e.value, e, at);
}

void LibraryFold::SetGenreField(Genre& genre, const std::string& field, const std::string& value, const Entry& e,
                                int at)
{
    auto writer = genre.fieldWriter.find(field);
    bool differs = field == "name" ? genre.name != value : std::to_string(genre.mode) != value;
    if (writer != genre.fieldWriter.end() && writer->second != at) {
        if (e.Saw(At(writer->second)))
            Obsolete(writer->second, at);
        else if (differs)
            TellLoser(writer->second, e, Format("ジャンル [%s] の%s", genre.name.c_str(), FieldLabel(field)));
    }
    genre.fieldWriter[field] = at;
    if (field == "name")
        SetGenreName(genre, value, e);
    else
        genre.mode = std::atoi(value.c_str());
    genre.touch.Add(e);
    if (field == "name")
        m_listTouch.Add(e);
}

void LibraryFold::DeleteGenre(const Entry& e, int at)
{
    Genre* genre = FindGenre(e.subject);
    if (genre == nullptr || !genre->alive)
        return;
    m_subject[static_cast<size_t>(at)].genre = genre->id;
    std::vector<Id> kept;
    for (Id id : std::vector<Id>(genre->titles)) {
        Title& title = m_titles.at(id);
        std::vector<int> others = UnseenChanges(title, e);
        if (others.empty()) {
            Kill(title, at);
            continue;
        }
        kept.push_back(id);
        for (int machine : others)
            Tell(machine, "genre-kept-for:" + Ref(e) + ":" + Ref(title),
                 Format("ジャンル [%s] は他の PC で削除されていましたが, この PC で加えたか変更したタイトル [%s] が"
                        "あるため, そのタイトルと共に残しました.",
                        genre->name.c_str(), title.name.c_str()));
    }
    genre->touch.Add(e);
    if (!kept.empty()) {
        Tell(e.machine, "genre-kept:" + Ref(e),
             Format("ジャンル [%s] をこの PC で削除しましたが, 他の PC で加えたか変更したタイトルがあるため, "
                    "そのタイトル (%zu 個) と共に残しました.",
                    genre->name.c_str(), kept.size()));
        return;
    }
    genre->alive = false;
    genre->killer = at;
    m_order.erase(std::remove(m_order.begin(), m_order.end(), genre->id), m_order.end());
    m_listTouch.Add(e);
    // Its name or play mode changed where the deletion was not seen: that change is not made.
    for (const char* field : {"name", "mode"}) {
        auto writer = genre->fieldWriter.find(field);
        if (writer == genre->fieldWriter.end() || At(writer->second).kind == Kind::GenreAdd ||
            e.Saw(At(writer->second)))
            continue;
        Tell(At(writer->second).machine, "genre-gone:" + Ref(At(writer->second)),
             Format("ジャンル [%s] は他の PC で削除されていたため, この PC での変更 (%s) は行われませんでした.",
                    genre->name.c_str(), FieldLabel(field)));
    }
}

namespace {

// Puts the ids named in `wanted` first, in that order; the others follow in theirs.
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

}  // namespace

void LibraryFold::OrderGenres(const Entry& e, int at)
{
    std::vector<Id> wanted;
    for (const Journal::Ref& ref : e.order)
        if (Genre* genre = FindGenre(ref))
            wanted.push_back(genre->id);
    ApplyOrder(m_order, wanted);
    Supersede(m_listOrderWriter, e, at);
    m_listTouch.Add(e);
}

// ---- titles ---------------------------------------------------------------------------

void LibraryFold::AddTitle(const Entry& e, int at)
{
    Genre* genre = FindGenre(e.subject);
    if (genre == nullptr)
        return;
    if (!LivingGenre(*genre, e, at, e.title.name))
        return;
    Title* same = const_cast<Title*>(TitleNamed(*genre, e.title.name));
    if (same != nullptr && At(same->fieldWriter.at("name")).kind == Kind::TitleAdd) {
        // Added on two PCs: one title, the later add's fields winning.
        m_titleAlias[e.MadeId()] = same->id;
        m_subject[static_cast<size_t>(at)].title = same->id;
        const std::pair<const char*, std::string> fields[] = {{"exe", e.title.exe},
                                                               {"icon", e.title.icon},
                                                               {"auto", std::to_string(e.title.autoTiming)},
                                                               {"media", std::to_string(e.title.useMedia)}};
        for (const auto& [field, value] : fields)
            SetTitleField(*same, field, value, e, at);
        Touched(*same, e);
        return;
    }
    Title& title = m_titles[e.MadeId()];
    title.id = e.MadeId();
    title.genre = genre->id;
    title.exe = e.title.exe;
    title.icon = e.title.icon;
    title.autoTiming = e.title.autoTiming;
    title.useMedia = e.title.useMedia;
    for (const char* field : {"name", "exe", "icon", "auto", "media", "genre"})
        title.fieldWriter[field] = at;
    m_subject[static_cast<size_t>(at)].title = title.id;
    SetTitleName(title, e.title.name, e);
    genre->titles.push_back(title.id);
    Touched(title, e);
}

void LibraryFold::TitleField(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    if (!Living(*title, e, at))
        return;
    SetTitleField(*title, e.field, e.value, e, at);
    Touched(*title, e);
}

void LibraryFold::MoveTitle(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    Genre* target = FindGenre(e.target);
    if (title == nullptr || target == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    if (!Living(*title, e, at) || !LivingGenre(*target, e, at, title->name))
        return;
    auto writer = title->fieldWriter.find("genre");
    if (writer != title->fieldWriter.end()) {
        if (e.Saw(At(writer->second)))
            Obsolete(writer->second, at);
        else if (title->genre != target->id)
            TellLoser(writer->second, e, Where(*title) + " の" + FieldLabel("genre"));
    }
    title->fieldWriter["genre"] = at;
    Genre& source = m_genres.at(title->genre);
    source.titles.erase(std::remove(source.titles.begin(), source.titles.end(), title->id), source.titles.end());
    source.touch.Add(e);
    title->genre = target->id;
    target->titles.push_back(title->id);
    SetTitleName(*title, title->name, e);  // the name may be taken there
    Touched(*title, e);
}

void LibraryFold::DeleteTitle(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr || !title->alive)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    std::vector<int> others = UnseenChanges(*title, e);
    if (others.empty()) {
        Kill(*title, at);
        m_genres.at(title->genre).touch.Add(e);
        return;
    }
    Tell(e.machine, "title-kept:" + Ref(e),
         Format("%s をこの PC で削除しましたが, 他の PC で変更されていたため, 残しました.", Where(*title).c_str()));
    for (int machine : others)
        Tell(machine, "title-kept-for:" + Ref(e),
             Format("%s は他の PC で削除されていましたが, この PC での変更があるため, 残しました.",
                    Where(*title).c_str()));
}

void LibraryFold::OrderTitles(const Entry& e, int at)
{
    Genre* genre = FindGenre(e.subject);
    if (genre == nullptr || !genre->alive)
        return;
    m_subject[static_cast<size_t>(at)].genre = genre->id;
    std::vector<Id> wanted;
    for (const Journal::Ref& ref : e.order)
        if (Title* title = FindTitle(ref))
            wanted.push_back(title->id);
    ApplyOrder(genre->titles, wanted);
    auto writer = genre->fieldWriter.find("order");
    if (writer != genre->fieldWriter.end() && e.Saw(At(writer->second)))
        Obsolete(writer->second, at);
    genre->fieldWriter["order"] = at;
    genre->touch.Add(e);
}

// ---- plays ----------------------------------------------------------------------------

void LibraryFold::AddPlay(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    m_subject[static_cast<size_t>(at)].play = e.play;
    bool real = e.kind == Kind::PlayAdd;
    auto found = title->plays.find(e.play);
    // A play only seen in a log is new only when nothing of it is known.
    if (!real && found != title->plays.end()) {
        if (!found->second.real.empty())
            m_obsoletedBy[static_cast<size_t>(at)] = found->second.real.front();
        return;
    }
    if (!Living(*title, e, at))
        return;
    if (found == title->plays.end()) {
        PlayState& state = title->plays[e.play];
        state.adds.push_back(at);
        if (real)
            state.real.push_back(at);
        Touched(*title, e);
        return;
    }
    PlayState& state = found->second;
    if (!state.alive && (state.killer < 0 || e.Saw(At(state.killer))))
        return;
    if (state.real.empty())
        for (int seen : state.adds)
            m_obsoletedBy[static_cast<size_t>(seen)] = at;
    state.alive = true;
    state.killer = -1;
    state.replaced = false;
    state.adds.push_back(at);
    state.real.push_back(at);
    Touched(*title, e);
}

void LibraryFold::DeletePlay(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr || !title->alive)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    auto found = title->plays.find(e.play);
    if (found == title->plays.end())
        return;
    PlayState& state = found->second;
    if (state.alive) {
        state.alive = false;
        state.killer = at;
        Touched(*title, e);
        return;
    }
    if (state.replaced && state.killer >= 0 && !e.Saw(At(state.killer))) {
        Tell(e.machine, "play-kept:" + Ref(e),
             Format("%s のプレイ (開始 %s) をこの PC で削除しましたが, 他の PC で変更されていたため, "
                    "変更後のプレイを残しました.",
                    Where(*title).c_str(), Shown(e.play).c_str()));
        Tell(At(state.killer).machine, "play-kept-for:" + Ref(e),
             Format("%s のプレイ (開始 %s) は他の PC で削除されていましたが, この PC で変更したプレイを残しました.",
                    Where(*title).c_str(), Shown(e.play).c_str()));
    }
}

void LibraryFold::ChangePlay(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    if (!Living(*title, e, at))
        return;
    auto found = title->plays.find(e.play);
    if (found != title->plays.end() && !found->second.alive) {
        PlayState& old = found->second;
        if (old.killer >= 0 && e.Saw(At(old.killer)))
            return;  // its author knew it changed or deleted: nothing left to change
        if (old.replaced) {
            // Changed on two PCs: the later change wins over the current form of the play.
            Play current = old.next;
            for (auto next = title->plays.find(current);
                 next != title->plays.end() && !next->second.alive && next->second.replaced;
                 next = title->plays.find(current))
                current = next->second.next;
            if (auto live = title->plays.find(current); live != title->plays.end() && live->second.alive) {
                live->second.alive = false;
                live->second.killer = at;
                live->second.replaced = true;
                live->second.next = e.changed;
            }
            TellLoser(old.killer, e, Format("%s のプレイ (開始 %s)", Where(*title).c_str(), Shown(e.play).c_str()));
        } else if (old.killer >= 0) {
            Tell(e.machine, "play-changed-kept:" + Ref(e),
                 Format("%s のプレイ (開始 %s) は他の PC で削除されていましたが, この PC で変更したプレイを残しました.",
                        Where(*title).c_str(), Shown(e.play).c_str()));
            Tell(At(old.killer).machine, "play-changed-kept-for:" + Ref(e),
                 Format("%s のプレイ (開始 %s) をこの PC で削除しましたが, 他の PC で変更されていたため, "
                        "変更後のプレイを残しました.",
                        Where(*title).c_str(), Shown(e.play).c_str()));
        }
    } else if (found != title->plays.end()) {
        found->second.alive = false;
        found->second.killer = at;
        found->second.replaced = true;
        found->second.next = e.changed;
    }
    PlayState& now = title->plays[e.changed];
    now.alive = true;
    now.killer = -1;
    now.replaced = false;
    now.adds.push_back(at);
    now.real.push_back(at);
    Touched(*title, e);
}

void LibraryFold::ClearPlays(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    if (title == nullptr || !title->alive)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    for (auto& [play, state] : title->plays) {
        if (!state.alive)
            continue;
        bool seen = std::all_of(state.adds.begin(), state.adds.end(), [&](int add) { return e.Saw(At(add)); });
        if (seen) {
            state.alive = false;
            state.killer = at;
        }
    }
    Touched(*title, e);
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
    Title* title = e.target.ById() || !e.target.title.empty() ? FindTitle(e.target) : nullptr;
    if (title != nullptr && (!title->alive || title->genre != genre->id))
        return;
    genre->current = title != nullptr ? title->id : Id{};
    auto [writer, added] = genre->fieldWriter.emplace("current", -1);
    Supersede(writer->second, e, at);
    genre->touch.Add(e);
}

// ---- deletions and returns ------------------------------------------------------------

std::vector<int> LibraryFold::UnseenChanges(const Title& title, const Entry& e) const
{
    std::vector<int> machines;
    for (const auto& [machine, seq] : title.lastTouch)
        if (machine != e.machine && !e.Saw(machine, seq))
            machines.push_back(machine);
    return machines;
}

void LibraryFold::Touched(Title& title, const Entry& e)
{
    if (Changes(e.kind)) {
        int& seq = title.lastTouch[e.machine];
        seq = std::max(seq, e.seq);
    }
    if (e.kind != Kind::PlayAdd && e.kind != Kind::PlaySeen && e.kind != Kind::PlayDelete &&
        e.kind != Kind::PlayChange && e.kind != Kind::PlaysClear)
        m_genres.at(title.genre).touch.Add(e);
}

bool LibraryFold::Living(Title& title, const Entry& e, int at)
{
    if (title.alive)
        return true;
    if (title.killer >= 0 && e.Saw(At(title.killer)))
        return false;
    Revive(title, e, at);
    return true;
}

bool LibraryFold::LivingGenre(Genre& genre, const Entry& e, int at, const std::string& why)
{
    if (genre.alive)
        return true;
    if (genre.killer < 0 || e.Saw(At(genre.killer)))
        return false;
    Tell(e.machine, "genre-back:" + Ref(e),
         Format("ジャンル [%s] は他の PC で削除されていましたが, この PC で加えたタイトル [%s] があるため, "
                "そのタイトルと共に作り直しました.",
                genre.name.c_str(), why.c_str()));
    Tell(At(genre.killer).machine, "genre-back-for:" + Ref(e),
         Format("ジャンル [%s] をこの PC で削除しましたが, 他の PC で加えられたタイトル [%s] があるため, "
                "そのタイトルと共に作り直しました.",
                genre.name.c_str(), why.c_str()));
    (void)at;
    ReviveGenre(genre, e);
    return true;
}

void LibraryFold::ReviveGenre(Genre& genre, const Entry& e)
{
    genre.alive = true;
    genre.killer = -1;
    m_order.push_back(genre.id);
    SetGenreName(genre, genre.name, e);
    genre.touch.Add(e);
    m_listTouch.Add(e);
}

void LibraryFold::Revive(Title& title, const Entry& e, int at)
{
    const Entry& killer = At(title.killer);
    Genre& genre = m_genres.at(title.genre);
    if (!genre.alive)
        ReviveGenre(genre, e);
    title.alive = true;
    title.killer = -1;
    genre.titles.push_back(title.id);
    SetTitleName(title, title.name, e);
    Tell(e.machine, "title-back:" + Ref(e),
         Format("%s は他の PC で削除されていましたが, この PC での変更があるため, 残しました.", Where(title).c_str()));
    Tell(killer.machine, "title-back-for:" + Ref(e),
         Format("%s をこの PC で削除しましたが, 他の PC で変更されていたため, 残しました.", Where(title).c_str()));
    (void)at;
}

void LibraryFold::Kill(Title& title, int at)
{
    title.alive = false;
    title.killer = at;
    Genre& genre = m_genres.at(title.genre);
    genre.titles.erase(std::remove(genre.titles.begin(), genre.titles.end(), title.id), genre.titles.end());
}

// ---- fields and names -----------------------------------------------------------------

void LibraryFold::SetTitleField(Title& title, const std::string& field, const std::string& value, const Entry& e,
                                int at)
{
    std::string* text = field == "exe" ? &title.exe : field == "icon" ? &title.icon : nullptr;
    std::string now = text != nullptr                  ? *text
                      : field == "name"                ? title.name
                      : field == "auto"                ? std::to_string(title.autoTiming)
                                                       : std::to_string(title.useMedia);
    auto writer = title.fieldWriter.find(field);
    if (writer != title.fieldWriter.end() && writer->second != at) {
        if (e.Saw(At(writer->second)))
            Obsolete(writer->second, at);
        else if (now != value)
            TellLoser(writer->second, e, Where(title) + " の" + FieldLabel(field));
    }
    title.fieldWriter[field] = at;
    if (field == "name")
        SetTitleName(title, value, e);
    else if (text != nullptr)
        *text = value;
    else if (field == "auto")
        title.autoTiming = std::atoi(value.c_str());
    else
        title.useMedia = std::atoi(value.c_str());
}

std::string LibraryFold::FreeTitleName(const Genre& genre, const std::string& wanted, Id self) const
{
    auto taken = [&](const std::string& name) {
        return std::any_of(genre.titles.begin(), genre.titles.end(), [&](Id id) {
            return id != self && m_titles.at(id).name == name;
        });
    };
    std::string name = wanted;
    for (int n = 2; taken(name); ++n)
        name = wanted + " (" + std::to_string(n) + ")";
    return name;
}

std::string LibraryFold::FreeGenreName(const std::string& wanted, Id self) const
{
    auto taken = [&](const std::string& name) {
        return std::any_of(m_order.begin(), m_order.end(),
                           [&](Id id) { return id != self && m_genres.at(id).name == name; });
    };
    std::string name = wanted;
    for (int n = 2; taken(name); ++n)
        name = wanted + " (" + std::to_string(n) + ")";
    return name;
}

void LibraryFold::SetTitleName(Title& title, std::string name, const Entry& e)
{
    const Genre& genre = m_genres.at(title.genre);
    std::string free = title.alive ? FreeTitleName(genre, name, title.id) : name;
    if (free != name)
        Tell(e.machine, "title-renamed:" + Ref(e) + ":" + free,
             Format("タイトル [%s] (ジャンル [%s]) は同じ名前のタイトルが他の PC で作られていたため, "
                    "[%s] という名前にしました.",
                    name.c_str(), genre.name.c_str(), free.c_str()));
    title.name = std::move(free);
    title.names.insert(title.name);
    title.genres.insert(title.genre);
    NoteOwner(title);
}

void LibraryFold::SetGenreName(Genre& genre, std::string name, const Entry& e)
{
    std::string free = genre.alive ? FreeGenreName(name, genre.id) : name;
    if (free != name)
        Tell(e.machine, "genre-renamed:" + Ref(e) + ":" + free,
             Format("ジャンル [%s] は同じ名前のジャンルが他の PC で作られていたため, [%s] という名前にしました.",
                    name.c_str(), free.c_str()));
    genre.name = std::move(free);
    genre.names.insert(genre.name);
    m_genreNames.insert(genre.name);
    m_genreOwner[genre.name] = genre.id;
    // Every title that was in the genre, living or not, had or has its log in that folder.
    for (auto& [id, title] : m_titles)
        if (title.genres.count(genre.id) != 0)
            NoteOwner(title);
}

void LibraryFold::NoteOwner(const Title& title)
{
    // A PC that had not seen a rename or move put the title's log under the names it knew.
    for (Id genre : title.genres)
        for (const std::string& genreName : m_genres.at(genre).names)
            for (const std::string& name : title.names)
                m_pathOwner[{genreName, name}] = title.id;
    m_pathOwner[{m_genres.at(title.genre).name, title.name}] = title.id;
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
