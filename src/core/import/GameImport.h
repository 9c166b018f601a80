#pragma once

#include "import/FoundGames.h"
#include "library/CGroup.h"

#include <string>
#include <vector>

class CZarn2Doc;

// A ticked game as it would be registered.
struct PlannedTitle {
    int game = -1;
    std::string name;                  // the title's name
    std::vector<std::string> changes;  // how it differs from the name found, for the user
    std::string refusal;               // why the game is not added; "" when it is

    bool Adds() const { return refusal.empty(); }
    bool operator==(const PlannedTitle&) const = default;
};

// What the user chose in the import dialog.
struct ImportChoice {
    std::vector<int> ticked;  // indexes of the found games, in list order
    std::string genre;        // the genre the titles go to
    bool newGenre = false;    // a genre made for them
    // What the dialog showed of the choice when it was confirmed (GameImport::Plan then).
    std::vector<PlannedTitle> shown = {};
};

// The games found on this PC set against the library: which are registered already (a
// title of any genre with the same program), and for a choice of games and genre, the
// name each would be registered with (TitleNames: valid for the genre files, unique in the
// genre and among the others, no log of that name on disk) or why it cannot be (its
// program, the genre's 128 titles). Nothing is written.
class GameImport {
public:
    GameImport(const CZarn2Doc& doc, FoundGames found);

    const FoundGames& Found() const { return m_found; }
    // "<genre> / <title>" of the title registered with the game's program, or "".
    const std::string& RegisteredAs(int game) const { return m_registered.at(static_cast<size_t>(game)); }
    // Looks again which games are registered (after the library was read again).
    void Refresh();
    std::vector<std::string> GenreNames() const;
    // Why the chosen genre cannot take the titles, for the user; "" when it can.
    std::string GenreProblem(const ImportChoice& choice) const;
    // Each ticked game, in the order of `choice.ticked`.
    std::vector<PlannedTitle> Plan(const ImportChoice& choice) const;
    // The titles a plan adds, as the library takes them (the program is its icon too).
    std::vector<CGroup::NewMember> Titles(const std::vector<PlannedTitle>& plan) const;

private:
    const CZarn2Doc& m_doc;
    FoundGames m_found;
    std::vector<std::string> m_registered;
};
