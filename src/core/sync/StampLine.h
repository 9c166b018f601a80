#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The last line of a genre file or of the genre list as the launcher writes them: which
// changes of the journals shaped the file, so that a file a launcher wrote is told from one
// the Windows version or an editor wrote (which skip the line on reading and drop it), and
// a file shaped by changes this PC has not received yet from an older one.
//
//   ;Zarn2 journal <hash> <stamp> <machine id>:<seq> …
//
// <hash>: the first 16 hexadecimal digits of the SHA-256 of the bytes above the line;
// <stamp>: the highest stamp of those changes; then per journal the highest number.
namespace StampLine {

inline constexpr char kPrefix[] = ";Zarn2 journal ";

struct Shaped {
    std::map<std::string, int> seqs;  // machine id -> highest number
    std::int64_t maxStamp = 0;
};

// The line (with "\r\n") for a file whose bytes above it are `bytes`.
std::string Make(std::string_view bytes, const Shaped& shaped);

struct Found {
    bool stamped = false;   // the file ends with such a line, and its hash is that of the bytes above
    Shaped shaped;
    size_t contentBytes = 0;  // the bytes above the line (the whole file when there is none)
};
Found Find(std::string_view file);

}  // namespace StampLine
