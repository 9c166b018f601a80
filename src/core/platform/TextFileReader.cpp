#include "platform/TextFileReader.h"

#include "platform/Cp932.h"
#include "platform/RegularFile.h"

#include <cstring>

// The bytes are kept as read, line ends and all: each line is found where it lies and its
// line end recognised there, so reading a file copies nothing but the lines handed out.

int TextFileReader::Open(const std::string& path, std::uint64_t maxBytes, SymbolicLinks links)
{
    m_data.clear();
    Rewind();
    if (int err = RegularFile::ReadAtMost(path, maxBytes, m_data, links))
        return err;
    Rewind();
    return 0;
}

void TextFileReader::OpenBytes(std::string bytes)
{
    m_data = std::move(bytes);
    Rewind();
}

void TextFileReader::Rewind()
{
    m_pos = 0;
    // A run of "\r" at the very end is a line end cut after its "\r": it ends the text.
    m_end = m_data.find_last_not_of('\r');
    m_end = m_end == std::string::npos ? 0 : m_end + 1;
}

bool TextFileReader::ReadPiece(std::string_view& bytes, bool& lineEnd, size_t maxChars)
{
    bytes = {};
    lineEnd = false;
    if (m_pos >= m_end || maxChars == 0)
        return false;
    const char* data = m_data.data();
    const void* found = std::memchr(data + m_pos, '\n', m_end - m_pos);
    size_t newline = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : m_end;
    // The "\r" just before the "\n" belong to the line end (a file that went through a
    // text-mode write twice has "\r\r\n").
    size_t content = newline;
    while (content > m_pos && data[content - 1] == '\r')
        --content;
    size_t length = content - m_pos;
    if (length + (found ? 1 : 0) <= maxChars) {
        bytes = std::string_view(data + m_pos, length);
        lineEnd = found != nullptr;
        m_pos = found ? newline + 1 : m_end;
    } else {
        bytes = std::string_view(data + m_pos, maxChars);
        m_pos += maxChars;
    }
    return true;
}

bool TextFileReader::ReadLine(std::string& line, size_t maxChars)
{
    line.clear();
    std::string_view bytes;
    bool lineEnd = false;
    if (!ReadPiece(bytes, lineEnd, maxChars))
        return false;
    Cp932::AppendUtf8(bytes, line);
    if (lineEnd)
        line.push_back('\n');
    return true;
}

bool TextFileReader::HoldsNul() const { return std::memchr(m_data.data(), '\0', m_data.size()) != nullptr; }

bool TextFileReader::Blank() const
{
    for (size_t i = 0; i < m_end; ++i) {
        char c = m_data[i];
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c != '\r')
            return false;
        // A "\r" is blank only as part of a line end: followed by more "\r" and a "\n".
        size_t run = m_data.find_first_not_of('\r', i);
        if (run >= m_end || m_data[run] != '\n')
            return false;
        i = run;
    }
    return true;
}
