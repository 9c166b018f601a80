#include "import/FoundGames.h"

#include <algorithm>

void FoundGames::Problem(const std::string& file, const std::string& what)
{
    problems.push_back(file + " : " + what);
}

bool FoundGames::HasProgram(const std::string& program) const
{
    return std::any_of(games.begin(), games.end(), [&](const FoundGame& game) { return game.program == program; });
}
