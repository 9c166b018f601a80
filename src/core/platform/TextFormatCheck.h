#pragma once

#include <string>
#include <string_view>
#include <utility>

class TextFileReader;

// Tells a file of one of the program's text formats from anything else found under its
// name (binary data, UTF-16 text, noise, another program's file). The file is not of the
// format when it holds a NUL byte, when a line that is neither a header nor a value holds
// bytes code page 932 cannot decode or a carriage return (lines ended by CR alone, as old Mac
// editors save them, read as one long line: the sections in it would be lost), or, for a
// format that needs a section header, when it holds more than blank lines but none of the
// format's headers. A format's reader reports what it met while reading.
class TextFormatCheck {
public:
    // A format whose lines outside its sections are ignored (the settings, the genre list):
    // a file without any section is an empty one.
    TextFormatCheck() = default;
    // A format that needs a section header; `header` is one of them, named in the reason
    // ("[PlayMode]").
    explicit TextFormatCheck(std::string header) : m_header(std::move(header)), m_needsHeader(true) {}

    // The reader met one of the format's section headers.
    void Header() { m_sawHeader = true; }
    // The reader skipped this line (neither a header nor a value).
    void Skipped(std::string_view line);

    // Why the content `reader` holds is not of the format, for the user; empty when it is.
    std::string Problem(const TextFileReader& reader) const;

private:
    std::string m_header;
    bool m_needsHeader = false;
    bool m_sawHeader = false;
    bool m_undecodable = false;
    bool m_loneCr = false;
};

// The message for a file that is not of its format: `file` names it ("初期化ファイル<...>"),
// `problem` is TextFormatCheck::Problem, `outcome` says what the program does about it.
std::string NotOfFormatMessage(std::string_view file, std::string_view problem, std::string_view outcome);
