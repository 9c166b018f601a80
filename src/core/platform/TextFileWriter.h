#pragma once

#include "platform/SymbolicLinks.h"

#include <string>
#include <string_view>

// Collects the lines of a text file (UTF-8) and writes them in one atomic replacement,
// code page 932 with "\r\n" line ends.
class TextFileWriter {
public:
    struct Result {
        int error = 0;            // errno of a failed write, 0 otherwise
        std::string unmappable;   // first character code page 932 cannot hold, if any
        bool Ok() const { return error == 0 && unmappable.empty(); }
    };

    void Line(std::string_view text);  // appends text and a line end
    const std::string& Text() const { return m_text; }

    // The bytes as they go to disk; false (and `unmappable` set) when a character has no
    // code page 932 form.
    bool Encode(std::string& bytes, std::string* unmappable) const;
    Result Save(const std::string& path, SymbolicLinks links = SymbolicLinks::Follow) const;

private:
    std::string m_text;
};
