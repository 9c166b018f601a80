#include "platform/TextFileReader.h"

#include "platform/Cp932.h"
#include "platform/RegularFile.h"

#include <cstring>

namespace {

// Every line end becomes "\n": "\r\n", "\n", and a run of "\r" followed by "\n" (a "\r\n"
// file that went through a text-mode write once more). A "\r" anywhere else is a character
// of its line, as a text-mode stream of the Windows version reads it; only a run of them at
// the very end, a line end cut after its "\r", is dropped.
std::string NormalLineEnds(const std::string& raw)
{
    std::string text;
    text.reserve(raw.size());
    size_t from = 0;
    for (size_t cr = raw.find('\r'); cr != std::string::npos; cr = raw.find('\r', from)) {
        size_t run = raw.find_first_not_of('\r', cr);
        if (run == std::string::npos) {
            text.append(raw, from, cr - from);
            return text;
        }
        if (raw[run] == '\n') {
            text.append(raw, from, cr - from);
            text.push_back('\n');
            from = run + 1;
        } else {
            text.append(raw, from, run - from);
            from = run;
        }
    }
    text.append(raw, from, std::string::npos);
    return text;
}

}  // namespace

int TextFileReader::Open(const std::string& path, std::uint64_t maxBytes, SymbolicLinks links)
{
    m_data.clear();
    m_pos = 0;
    std::string raw;
    if (int err = RegularFile::ReadAtMost(path, maxBytes, raw, links))
        return err;
    m_data = NormalLineEnds(raw);
    return 0;
}

void TextFileReader::OpenBytes(std::string bytes)
{
    m_data = NormalLineEnds(bytes);
    m_pos = 0;
}

bool TextFileReader::ReadLine(std::string& line, size_t maxChars)
{
    line.clear();
    if (m_pos >= m_data.size() || maxChars == 0)
        return false;
    size_t limit = std::min(m_data.size(), m_pos + maxChars);
    const void* newline = std::memchr(m_data.data() + m_pos, '\n', limit - m_pos);
    size_t end = newline ? static_cast<size_t>(static_cast<const char*>(newline) - m_data.data()) + 1 : limit;
    line = Cp932::ToUtf8(std::string_view(m_data).substr(m_pos, end - m_pos));
    m_pos = end;
    return true;
}

bool TextFileReader::HoldsNul() const { return m_data.find('\0') != std::string::npos; }

bool TextFileReader::Blank() const { return m_data.find_first_not_of(" \t\n") == std::string::npos; }
