// The fold's genres and titles: added, changed, moved, ordered, deleted.
#include "sync/LibraryFold.h"

#include "platform/Format.h"
#include "sync/LibraryFoldParts.h"

#include <algorithm>

using Journal::Entry;
using Journal::Kind;
using namespace LibraryFoldParts;

// ---- genres ---------------------------------------------------------------------------

void LibraryFold::AddGenre(const Entry& e, int at)
{
    Genre* same = const_cast<Genre*>(GenreNamed(e.More().value));
    if (same != nullptr && At(same->fieldWriter.at("name")).kind == Kind::GenreAdd) {
        // Added on two PCs: one genre, the later add's play mode winning.
        m_genreAlias[e.MadeId()] = same->id;
        m_subject[static_cast<size_t>(at)].genre = same->id;
        SetGenreField(*same, "mode", std::to_string(e.More().mode), e, at);
        return;
    }
    Genre& genre = m_genres[e.MadeId()];
    genre.id = e.MadeId();
    genre.mode = e.More().mode;
    genre.fieldWriter["name"] = genre.fieldWriter["mode"] = at;
    m_subject[static_cast<size_t>(at)].genre = genre.id;
    SetGenreName(genre, e.More().value, e);
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
        if (genre->killer >= 0 && !e.Saw(At(genre->killer))) {
            TellGenreGone(*genre, e);
            // The renaming PC's files carry the new name: they go with the genre.
            if (e.More().field == "name")
                NoteGenreName(*genre, e.More().value);
        }
        return;
    }
    SetGenreField(*genre, e.More().field, e.More().value, e, at);
}

void LibraryFold::TellGenreGone(const Genre& genre, const Entry& change)
{
    Tell(change.machine, "genre-gone:" + Ref(change),
         Format("ジャンル [%s] は他の PC で削除されていたため, この PC での変更 (%s) は行われませんでした.",
                genre.name.c_str(), FieldLabel(change.More().field)));
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
        TellGenreGone(*genre, At(writer->second));
    }
}


void LibraryFold::OrderGenres(const Entry& e, int at)
{
    std::vector<Id> wanted;
    for (const Journal::Ref& ref : e.More().order)
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
    if (!LivingGenre(*genre, e, e.More().title.name))
        return;
    Title* same = const_cast<Title*>(TitleNamed(*genre, e.More().title.name));
    if (same != nullptr && At(same->fieldWriter.at("name")).kind == Kind::TitleAdd) {
        // Added on two PCs: one title, the later add's fields winning.
        m_titleAlias[e.MadeId()] = same->id;
        m_subject[static_cast<size_t>(at)].title = same->id;
        const std::pair<const char*, std::string> fields[] = {{"exe", e.More().title.exe},
                                                               {"icon", e.More().title.icon},
                                                               {"auto", std::to_string(e.More().title.autoTiming)},
                                                               {"media", std::to_string(e.More().title.useMedia)}};
        for (const auto& [field, value] : fields)
            SetTitleField(*same, field, value, e, at);
        Touched(*same, e);
        return;
    }
    Title& title = m_titles[e.MadeId()];
    title.id = e.MadeId();
    title.genre = genre->id;
    title.exe = e.More().title.exe;
    title.icon = e.More().title.icon;
    title.autoTiming = e.More().title.autoTiming;
    title.useMedia = e.More().title.useMedia;
    for (const char* field : {"name", "exe", "icon", "auto", "media", "genre"})
        title.fieldWriter[field] = at;
    m_subject[static_cast<size_t>(at)].title = title.id;
    SetTitleName(title, e.More().title.name, e);
    genre->titles.push_back(title.id);
    Touched(title, e);
}

void LibraryFold::TitleField(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, false);
    if (title == nullptr)
        return;
    if (!Living(*title, e))
        return;
    SetTitleField(*title, e.More().field, e.More().value, e, at);
    Touched(*title, e);
}

void LibraryFold::MoveTitle(const Entry& e, int at)
{
    Title* title = FindTitle(e.subject);
    Genre* target = FindGenre(e.More().target);
    if (title == nullptr || target == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].title = title->id;
    const Genre& from = m_genres.at(title->genre);
    const int fromKiller = from.alive ? -1 : from.killer;
    if (!Living(*title, e) || !LivingGenre(*target, e, title->name))
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
    if (fromKiller >= 0 && source.titles.empty()) {
        // The deleted genre came back only for the title on its way out: it stays deleted.
        source.alive = false;
        source.killer = fromKiller;
        m_order.erase(std::remove(m_order.begin(), m_order.end(), source.id), m_order.end());
    }
}

void LibraryFold::DeleteTitle(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, true);
    if (title == nullptr)
        return;
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
    for (const Journal::Ref& ref : e.More().order)
        if (Title* title = FindTitle(ref))
            wanted.push_back(title->id);
    ApplyOrder(genre->titles, wanted);
    auto writer = genre->fieldWriter.find("order");
    if (writer != genre->fieldWriter.end() && e.Saw(At(writer->second)))
        Obsolete(writer->second, at);
    genre->fieldWriter["order"] = at;
    genre->touch.Add(e);
}

