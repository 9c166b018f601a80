#pragma once

#include <string>
#include <string_view>
#include <utility>

class TextFileReader;

// Tells a file of one of the program's text formats from anything else found under its
// name (binary data, UTF-16 text, noise, another program's file). The file is not of the
// format when it holds a NUL byte, when it holds more than blank lines but none of the
// format's section headers, or when a line that is neither a header nor a value holds
// bytes code page 932 cannot decode. A format's reader reports what it met while reading.
class TextFormatCheck {
public:
    // `header` is one of the format's section headers, named in the reason ("[GroupList]").
    explicit TextFormatCheck(std::string header) : m_header(std::move(header)) {}

    // The reader met one of the format's section headers.
    void Header() { m_sawHeader = true; }
    // The reader skipped this line (neither a header nor a value).
    void Skipped(std::string_view line);

    // Why the content `reader` holds is not of the format, for the user; empty when it is.
    std::string Problem(const TextFileReader& reader) const;

private:
    std::string m_header;
    bool m_sawHeader = false;
    bool m_undecodable = false;
};

// The message for a file that is not of its format: `file` names it ("初期化ファイル<...>"),
// `problem` is TextFormatCheck::Problem, `outcome` says what the program does about it.
std::string NotOfFormatMessage(std::string_view file, std::string_view problem, std::string_view outcome);
