#include "platform/TextFileWriter.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"

void TextFileWriter::Line(std::string_view text)
{
    m_text.append(text);
    m_text.push_back('\n');
}

bool TextFileWriter::Encode(std::string& bytes, std::string* unmappable) const
{
    std::string encoded;
    if (!Cp932::FromUtf8(m_text, encoded, unmappable))
        return false;
    bytes.clear();
    bytes.reserve(encoded.size() + encoded.size() / 16);
    for (char c : encoded) {
        if (c == '\n')
            bytes.push_back('\r');
        bytes.push_back(c);
    }
    return true;
}

TextFileWriter::Result TextFileWriter::Save(const std::string& path, SymbolicLinks links) const
{
    Result result;
    std::string bytes;
    if (!Encode(bytes, &result.unmappable))
        return result;
    result.error = AtomicFile::Replace(path, bytes, links);
    return result;
}
