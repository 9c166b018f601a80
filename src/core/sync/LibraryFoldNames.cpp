// The fold's deletions and returns, fields and names.
#include "sync/LibraryFold.h"

#include "platform/Format.h"
#include "sync/LibraryFoldParts.h"

#include <algorithm>

using Journal::Entry;
using Journal::Kind;
using namespace LibraryFoldParts;

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

bool LibraryFold::Living(Title& title, const Entry& e)
{
    if (title.alive)
        return true;
    if (title.killer >= 0 && e.Saw(At(title.killer)))
        return false;
    Revive(title, e);
    return true;
}

bool LibraryFold::LivingGenre(Genre& genre, const Entry& e, const std::string& why)
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

void LibraryFold::Revive(Title& title, const Entry& e)
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
    NoteGenreName(genre, genre.name);
    m_genreOwner[genre.name] = genre.id;
}

void LibraryFold::NoteGenreName(Genre& genre, const std::string& name)
{
    genre.names.insert(name);
    m_genreNames.insert(name);
    m_genreOwner.emplace(name, genre.id);
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

