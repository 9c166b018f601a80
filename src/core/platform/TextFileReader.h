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
    // `line` keeps its room from one call to the next.
    bool ReadLine(std::string& line, size_t maxChars = 998);
    // The same piece undecoded: its code page 932 bytes without the line end (they stay
    // valid until the reader is opened again), and whether the line end was taken with it.
    bool ReadPiece(std::string_view& bytes, bool& lineEnd, size_t maxChars = 998);
    bool AtEnd() const { return m_pos >= m_end; }

    // Whether the content holds a NUL byte: binary data or UTF-16, never text of ours.
    bool HoldsNul() const;
    // Whether the content is nothing but blanks and line ends.
    bool Blank() const;

    // A line as ReadLine handed it out, without its "\n".
    static std::string_view WithoutNewline(std::string_view line) { return line.substr(0, line.find('\n')); }

private:
    void Rewind();

    std::string m_data;  // the file's bytes as they are
    size_t m_pos = 0;
    size_t m_end = 0;  // the end of the text: a run of "\r" at the very end is left out
};
