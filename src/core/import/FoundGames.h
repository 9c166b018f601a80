#pragma once

#include <string>
#include <vector>

// A game found on this PC, ready to become a title.
struct FoundGame {
    std::string name;     // as its client or desktop entry names it
    std::string source;   // where it was found, for the user ("Steam", "Lutris", ...)
    std::string program;  // what the title is registered with: a URL or a desktop entry's path
    std::string icon;     // an image file, or an icon theme's name (themeIcon); "" for none
    bool themeIcon = false;
};

// What a search for games found: the games, and a line for each file that could not be
// read or understood ("<file> : what is wrong").
struct FoundGames {
    std::vector<FoundGame> games;
    std::vector<std::string> problems;

    void Problem(const std::string& file, const std::string& what);
    // Whether a game with that program is listed already.
    bool HasProgram(const std::string& program) const;
};
