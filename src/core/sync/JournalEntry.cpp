#include "sync/JournalEntry.h"

#include "platform/Format.h"

#include <algorithm>
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

std::int64_t Play::Start(int year, int month, int day, int hour, int minute, int second)
{
    return ((((std::int64_t{year} * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

std::string Play::StartText() const
{
    auto part = [this](int from) {
        std::int64_t value = start;
        for (int i = 0; i < from; ++i)
            value /= 100;
        return static_cast<int>(value % (from == 5 ? 10000 : 100));
    };
    return Format("%04d/%02d/%02d,%02d:%02d:%02d", part(5), part(4), part(3), part(2), part(1), part(0));
}

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
