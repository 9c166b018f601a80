#pragma once

#include <string>
#include <vector>

class CZarn2Doc;

struct LibraryTitle {
    std::string name;
    std::string program;  // the title's program
    std::string log;     // its log file

    bool operator==(const LibraryTitle&) const = default;
};

struct LibraryGenre {
    std::string name;
    std::vector<LibraryTitle> titles;

    bool operator==(const LibraryGenre&) const = default;
};

// The genres and titles of the library in library order, with the current genre and title
// (-1 for none). Counts and indexes out of their range are held to it without a message:
// the library's own checks report them where the library is used.
struct LibraryShape {
    std::vector<LibraryGenre> genres;
    int currentGenre = -1;
    int currentTitle = -1;

    static LibraryShape Of(const CZarn2Doc& doc);
    const LibraryGenre* CurrentGenre() const;
    const LibraryTitle* CurrentTitle() const;
};
