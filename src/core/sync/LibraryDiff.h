#pragma once

#include "sync/JournalEntry.h"
#include "sync/LibraryFold.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ChangeRecorder;
class TextFileWriter;

// What a genre file or the genre list holds as far as the journals are concerned (the
// titles or genres in order, their fields, the current one by name), read from a file or
// from the fold, and the lines that make one into the other.
namespace LibraryDiff {

struct GenreContent {
    int mode = 0;
    std::vector<Journal::TitleFields> titles;  // in order, the names a load takes
    std::optional<std::string> current;       // the current title's name
    bool operator==(const GenreContent&) const = default;
};
struct ListContent {
    std::vector<std::string> names;     // in order, the names a load takes
    std::optional<std::string> current;  // the current genre's name
    bool operator==(const ListContent&) const = default;
};

// The content of genre file bytes (code page 932), the titles a load would take; nullopt
// when the bytes are no genre file.
std::optional<GenreContent> OfGenreFile(std::string_view bytes);
// The genres of genre list bytes, as a load takes them; nullopt when no genre list.
std::optional<ListContent> OfGroupList(std::string_view bytes);
GenreContent OfFold(const LibraryFold& fold, const LibraryFold::Genre& genre);
ListContent OfFold(const LibraryFold& fold);
// The lines of the file of that content (without the journal's line).
void Write(const GenreContent& content, TextFileWriter& writer);
void Write(const ListContent& content, TextFileWriter& writer);

// Records what turns `before` into `after` for genre `genre` (its name as `after` has it):
// the play mode, titles renamed or moved (as the recorder's hints say), deleted, added,
// fields changed, and the order when it is not what those lines leave.
void Genre(const std::string& genre, const GenreContent& before, const GenreContent& after, ChangeRecorder& recorder);
// The same for the genre list; `modeOf` gives a new genre's play mode.
void List(const ListContent& before, const ListContent& after, ChangeRecorder& recorder,
          const std::function<int(const std::string&)>& modeOf);

}  // namespace LibraryDiff
