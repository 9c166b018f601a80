#include "stats/LibraryShape.h"

#include "library/CZarn2Doc.h"

#include <algorithm>

LibraryShape LibraryShape::Of(const CZarn2Doc& doc)
{
    LibraryShape shape;
    int genres = std::clamp(doc.m_nGroupCount, 0, CZarn2Doc::kMaxGroups);
    shape.genres.resize(static_cast<size_t>(genres));
    for (int g = 0; g < genres; ++g) {
        const CGroup& group = doc.m_Group[static_cast<size_t>(g)];
        LibraryGenre& genre = shape.genres[static_cast<size_t>(g)];
        genre.name = group.m_szName;
        int titles = std::clamp(group.m_nMemberCount, 0, CGroup::kMaxMembers);
        genre.titles.reserve(static_cast<size_t>(titles));
        for (int t = 0; t < titles; ++t) {
            const CMember& member = group.m_Member[static_cast<size_t>(t)];
            genre.titles.push_back({member.m_szName, member.m_szExePath, member.m_szLogFile});
        }
    }
    if (doc.m_nCurrGroup >= 0 && doc.m_nCurrGroup < genres) {
        shape.currentGenre = doc.m_nCurrGroup;
        const CGroup& group = doc.m_Group[static_cast<size_t>(doc.m_nCurrGroup)];
        int titles = static_cast<int>(shape.genres[static_cast<size_t>(doc.m_nCurrGroup)].titles.size());
        if (group.m_nCurrMember >= 0 && group.m_nCurrMember < titles)
            shape.currentTitle = group.m_nCurrMember;
    }
    return shape;
}

const LibraryGenre* LibraryShape::CurrentGenre() const
{
    return currentGenre < 0 ? nullptr : &genres[static_cast<size_t>(currentGenre)];
}

const LibraryTitle* LibraryShape::CurrentTitle() const
{
    const LibraryGenre* genre = CurrentGenre();
    return genre == nullptr || currentTitle < 0 ? nullptr : &genre->titles[static_cast<size_t>(currentTitle)];
}
