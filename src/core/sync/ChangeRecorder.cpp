#include "sync/ChangeRecorder.h"

#include "sync/LibraryFold.h"

ChangeRecorder::ChangeRecorder(const LibraryFold& fold, const ChangeHints& hints, int self, int nextSeq,
                               std::shared_ptr<const std::vector<int>> seen, std::function<std::int64_t()> stamp)
    : m_fold(fold), m_hints(hints), m_self(self), m_nextSeq(nextSeq), m_seen(std::move(seen)),
      m_stamp(std::move(stamp))
{
}

Journal::Entry& ChangeRecorder::Add(Journal::Kind kind)
{
    Journal::Entry& entry = m_entries.emplace_back();
    entry.machine = m_self;
    entry.seq = m_nextSeq++;
    entry.stamp = m_stamp();
    entry.kind = kind;
    entry.seen = m_seen;
    return entry;
}

Journal::Ref ChangeRecorder::Genre(const std::string& name) const
{
    Journal::Ref ref;
    if (auto made = m_genres.find(name); made != m_genres.end()) {
        ref.id = made->second;
        return ref;
    }
    std::string known = name;
    for (const ChangeHints::Rename& rename : m_hints.genres)
        if (rename.to == name && m_fold.GenreNamed(rename.from) != nullptr)
            known = rename.from;
    if (const LibraryFold::Genre* genre = m_fold.GenreNamed(known))
        ref.id = genre->id;
    else
        ref.genre = name;
    return ref;
}

Journal::Ref ChangeRecorder::Title(const std::string& genre, const std::string& title) const
{
    Journal::Ref ref;
    if (auto made = m_titles.find({genre, title}); made != m_titles.end()) {
        ref.id = made->second;
        return ref;
    }
    Journal::Ref genreRef = Genre(genre);
    if (const LibraryFold::Genre* known = genreRef.ById() ? m_fold.GenreOf(genreRef.id) : nullptr) {
        if (const LibraryFold::Title* found = m_fold.TitleNamed(*known, title)) {
            ref.id = found->id;
            return ref;
        }
    }
    ref.genre = genre;
    ref.title = title;
    return ref;
}
