#include "sync/JournalEntry.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<Journal::Kind, const char*>, 16> kTokens{{
    {Journal::Kind::GenreAdd, "G+"},
    {Journal::Kind::GenreField, "Gf"},
    {Journal::Kind::GenreDelete, "G-"},
    {Journal::Kind::GenreOrder, "Go"},
    {Journal::Kind::TitleAdd, "T+"},
    {Journal::Kind::TitleField, "Tf"},
    {Journal::Kind::TitleMove, "Tg"},
    {Journal::Kind::TitleDelete, "T-"},
    {Journal::Kind::TitleOrder, "To"},
    {Journal::Kind::PlayAdd, "P+"},
    {Journal::Kind::PlaySeen, "P~"},
    {Journal::Kind::PlayDelete, "P-"},
    {Journal::Kind::PlayChange, "P>"},
    {Journal::Kind::PlaysClear, "Pc"},
    {Journal::Kind::GenreSelect, "Gs"},
    {Journal::Kind::TitleSelect, "Ts"},
}};

}  // namespace

namespace Journal {

const char* KindToken(Kind kind)
{
    for (const auto& [k, token] : kTokens)
        if (k == kind)
            return token;
    return "?";
}

bool KindOf(const std::string& token, Kind& kind)
{
    for (const auto& [k, t] : kTokens) {
        if (token == t) {
            kind = k;
            return true;
        }
    }
    return false;
}

}  // namespace Journal
