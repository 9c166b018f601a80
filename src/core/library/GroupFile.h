#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CGroup;
class TextFileReader;
class TextFileWriter;

// The genre file: the genre's play mode, its current title and one block a title.
//
//   [PlayMode]      then the mode (0 with history, 1 without) and an empty line
//   [CurrMember]    then the current title's index (-1 for none) and an empty line
//   [Title000]      then name, program path, icon path, automatic timing (1/0),
//                   uses its disc (1/0) and an empty line; one block a title
namespace GroupFile {

// The most the format holds: six lines before the titles and seven lines for each of 128
// titles, each line 998 characters and its "\r\n". A larger file is not read.
inline constexpr std::uint64_t kMaxBytes = (6 + 128 * 7) * 1000;

// One title block as far as the file held it: a field is missing when the file ended
// before it, a flag also when its line is no number.
struct Title {
    std::optional<std::string> name;
    std::optional<std::string> exePath;
    std::optional<std::string> iconPath;
    std::optional<int> autoTiming;
    std::optional<int> useMedia;
};

struct Content {
    std::optional<int> playMode;
    std::optional<int> currMember;
    std::vector<Title> titles;  // every block, in file order (the numbers are not read)
    std::string problem;        // why the bytes are no genre file (TextFormatCheck); empty if they are
};

// Section headers must be whole lines, newline included; a title block starts at any
// line beginning with "[Title". Names and number lines are read 998 bytes at a time,
// the two paths 258 bytes at a time (a longer path spills into the following field).
Content Read(TextFileReader& reader);
void Write(const CGroup& group, TextFileWriter& writer);
// Writes what was read: every block in its order, a missing value as a load takes it.
void Write(const Content& content, TextFileWriter& writer);

}  // namespace GroupFile
