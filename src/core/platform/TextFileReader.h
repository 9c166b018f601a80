#pragma once

#include "platform/SymbolicLinks.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reads a code page 932 text file line by line the way a text-mode stream of the Windows
// version does: a line ends with "\r\n" or "\n" (carriage returns just before a "\n", or at
// the very end of the file, belong to that line end), handed out as "\n"; a lone "\r" is a
// character of its line. ReadLine takes at most `maxChars` bytes of the line, keeping its
// "\n" when that fits (a longer line arrives in pieces). Lines are handed out as UTF-8:
// bytes code page 932 cannot decode become U+FFFD.
class TextFileReader {
public:
    // Reads the whole file, a regular one of at most `maxBytes` (RegularFile::ReadAtMost).
    // Returns 0, or the errno of the failure.
    int Open(const std::string& path, std::uint64_t maxBytes, SymbolicLinks links = SymbolicLinks::Follow);
    // Uses `bytes` as the file's content (for tests and fuzzing).
    void OpenBytes(std::string bytes);

    // Next line or piece of a line, "\n" kept when read; false at the end of the file.
    bool ReadLine(std::string& line, size_t maxChars = 998);
    bool AtEnd() const { return m_pos >= m_data.size(); }

    // Whether the content holds a NUL byte: binary data or UTF-16, never text of ours.
    bool HoldsNul() const;
    // Whether the content is nothing but blanks and line ends.
    bool Blank() const;

    // A line as ReadLine handed it out, without its "\n".
    static std::string_view WithoutNewline(std::string_view line) { return line.substr(0, line.find('\n')); }

private:
    std::string m_data;
    size_t m_pos = 0;
};
