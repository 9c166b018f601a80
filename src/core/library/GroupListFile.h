#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TextFileReader;
class TextFileWriter;

// The genre list file: the genres' names in display order and the current genre.
//
//   ;;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;
//   (empty)
//   [GroupList]
//   one name a line
//   (empty: ends the list)
//   [CurrGroup]
//   the current genre's index, -1 for none
//   (empty)
namespace GroupListFile {

// 32 names of a line each: a larger file is no genre list, and is not read.
inline constexpr std::uint64_t kMaxBytes = 1024 * 1024;

struct Content {
    bool hasList = false;            // a "[GroupList]" section was found
    std::vector<std::string> names;  // as read (the last section wins)
    std::optional<int> currGroup;    // a readable number under "[CurrGroup]"
    std::string problem;             // why the bytes are no genre list (TextFormatCheck); empty if they are
};

// Reads every line; section headers must be whole lines, newline included. Lines are
// taken at most 998 bytes at a time, so a longer line arrives as several names.
Content Read(TextFileReader& reader);
void Write(const std::vector<std::string>& names, int currGroup, TextFileWriter& writer);

}  // namespace GroupListFile
