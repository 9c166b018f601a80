#include "platform/TextFileReader.h"

#include "platform/Cp932.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::string CrLfToLf(const std::string& raw)
{
    std::string text;
    text.reserve(raw.size());
    // Copies the stretches between the "\r\n" pairs whole, leaving out each "\r".
    size_t from = 0;
    for (size_t cr = raw.find("\r\n"); cr != std::string::npos; cr = raw.find("\r\n", cr + 2)) {
        text.append(raw, from, cr - from);
        from = cr + 1;
    }
    text.append(raw, from, std::string::npos);
    return text;
}

}  // namespace

int TextFileReader::Open(const std::string& path)
{
    m_data.clear();
    m_pos = 0;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    std::string raw;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            return err;
        }
        if (n == 0)
            break;
        raw.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    m_data = CrLfToLf(raw);
    return 0;
}

void TextFileReader::OpenBytes(std::string bytes)
{
    m_data = CrLfToLf(bytes);
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
