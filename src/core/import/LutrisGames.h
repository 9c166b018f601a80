#pragma once

#include "import/FoundGames.h"

#include <string>
#include <vector>

// The games Lutris has installed, from its database (SQLite, its "games" table: id, name,
// slug, installed), opened read-only. A game is registered as lutris:rungameid/<id>; its
// icon is Lutris's cover art beside the database when there is one.
namespace LutrisGames {

// Each database that is there is read; a damaged one gives a line in `found`.
void Find(const std::vector<std::string>& databases, FoundGames& found);

}  // namespace LutrisGames
