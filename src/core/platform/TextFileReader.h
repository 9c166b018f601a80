#pragma once

#include <string>
#include <string_view>

// Reads a code page 932 text file line by line the way a text-mode stream does: "\r\n"
// becomes "\n", and ReadLine takes at most `maxChars` bytes of the line, keeping its "\n"
// when that fits (a longer line arrives in pieces). Lines are handed out as UTF-8.
class TextFileReader {
public:
    // Reads the whole file. Returns 0, or the errno of the failure.
    int Open(const std::string& path);
    // Uses `bytes` as the file's content (for tests and fuzzing).
    void OpenBytes(std::string bytes);

    // Next line or piece of a line, "\n" kept when read; false at the end of the file.
    bool ReadLine(std::string& line, size_t maxChars = 998);
    bool AtEnd() const { return m_pos >= m_data.size(); }

    // A line as ReadLine handed it out, without its "\n".
    static std::string_view WithoutNewline(std::string_view line) { return line.substr(0, line.find('\n')); }

private:
    std::string m_data;
    size_t m_pos = 0;
};
