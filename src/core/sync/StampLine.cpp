#include "sync/StampLine.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <charconv>
#include <vector>

namespace {

std::string Hash(std::string_view bytes)
{
    QByteArray digest = QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                                 QCryptographicHash::Sha256);
    return digest.toHex().left(16).toStdString();
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    while (!text.empty()) {
        size_t blank = text.find(' ');
        if (blank != 0)
            words.push_back(text.substr(0, blank));
        if (blank == std::string_view::npos)
            break;
        text.remove_prefix(blank + 1);
    }
    return words;
}

template <class Int>
bool Number(std::string_view text, Int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

namespace StampLine {

std::string Make(std::string_view bytes, const Shaped& shaped)
{
    std::string line = kPrefix + Hash(bytes) + " " + std::to_string(shaped.maxStamp);
    for (const auto& [machine, seq] : shaped.seqs)
        line += " " + machine + ":" + std::to_string(seq);
    return line + "\r\n";
}

Found Find(std::string_view file)
{
    Found found;
    found.contentBytes = file.size();
    std::string_view body = file;
    if (body.ends_with("\r\n"))
        body.remove_suffix(2);
    else if (body.ends_with("\n"))
        body.remove_suffix(1);
    else
        return found;
    size_t start = body.rfind('\n');
    start = start == std::string_view::npos ? 0 : start + 1;
    std::string_view line = body.substr(start);
    if (!line.starts_with(kPrefix))
        return found;
    std::vector<std::string_view> words = Words(line.substr(sizeof(kPrefix) - 1));
    if (words.size() < 2 || words[0] != Hash(file.substr(0, start)) || !Number(words[1], found.shaped.maxStamp))
        return found;
    for (size_t i = 2; i < words.size(); ++i) {
        size_t colon = words[i].rfind(':');
        int seq = 0;
        if (colon == std::string_view::npos || colon == 0 || !Number(words[i].substr(colon + 1), seq))
            return found;
        found.shaped.seqs[std::string(words[i].substr(0, colon))] = seq;
    }
    found.stamped = true;
    found.contentBytes = start;
    return found;
}

}  // namespace StampLine
