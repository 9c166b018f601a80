#include "platform/Cp932.h"

#include "platform/Format.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <utility>

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// How many bytes at the start of `s` are ASCII, which code page 932 and UTF-8 both hold as
// they are (0x5C a backslash, 0x7E a tilde); looked at eight bytes at a time.
size_t AsciiPrefix(std::string_view s)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

// One converter per direction, opened on first use and reused (iconv_open is costly).
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible, appending to `out`; returns the errno of the stop (0 when
    // all was done).
    int Run(const char*& in, size_t& inLeft, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        // Left uninitialised: iconv writes what is taken from it (most texts are short, and
        // clearing the whole buffer at every call cost more than the conversion).
        std::array<char, 4096> buf;
        while (inLeft > 0) {
            char* outPtr = buf.data();
            size_t outLeft = buf.size();
            char* inPtr = const_cast<char*>(in);
            size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            int err = errno;
            in = inPtr;
            out.append(buf.data(), buf.size() - outLeft);
            if (rc == static_cast<size_t>(-1) && err != E2BIG)
                return err;
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

Converter& Decoder()
{
    thread_local Converter decoder("UTF-8", "CP932");
    return decoder;
}

Converter& Encoder()
{
    thread_local Converter encoder("CP932", "UTF-8");
    return encoder;
}

// Appends the UTF-8 of `bytes`, decoded by iconv; each byte it cannot decode becomes U+FFFD.
void DecodeRest(std::string_view bytes, std::string& out)
{
    const char* in = bytes.data();
    size_t left = bytes.size();
    Converter& decoder = Decoder();
    while (left > 0) {
        int err = decoder.Valid() ? decoder.Run(in, left, out) : EILSEQ;
        if (err == 0)
            break;
        out.append(kReplacement);  // EILSEQ or EINVAL (a lead byte cut off): skip one byte
        ++in;
        --left;
    }
}

// Characters that code page 932 lacks but has a look-alike for.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kLookAlikes{{
    {"\u301C", "\uFF5E"},  // wave dash -> fullwidth tilde
    {"\u2212", "\uFF0D"},  // minus sign -> fullwidth hyphen-minus
    {"\u2016", "\u2225"},  // double vertical line -> parallel to
    {"\u2014", "\u2015"},  // em dash -> horizontal bar
    {"\u00A2", "\uFFE0"},  // cent sign
    {"\u00A3", "\uFFE1"},  // pound sign
    {"\u00AC", "\uFFE2"},  // not sign
    {"\u00A6", "\uFFE4"},  // broken bar
    {"\uFFFD", "?"},       // what the decoder made of bytes it could not read
}};

size_t Utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

std::string ApplyLookAlikes(std::string_view utf8)
{
    std::string result;
    result.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        bool replaced = false;
        for (const auto& [from, to] : kLookAlikes) {
            if (utf8.substr(i, from.size()) == from) {
                result.append(to);
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result.push_back(utf8[i++]);
    }
    return result;
}

}  // namespace

namespace Cp932 {

bool IsAscii(std::string_view text) { return AsciiPrefix(text) == text.size(); }

void AppendUtf8(std::string_view bytes, std::string& out)
{
    // Most lines of the data files are ASCII, or begin so (paths): those bytes are copied.
    size_t ascii = AsciiPrefix(bytes);
    out.append(bytes.data(), ascii);
    if (ascii < bytes.size())
        DecodeRest(bytes.substr(ascii), out);
}

std::string ToUtf8(std::string_view bytes)
{
    size_t ascii = AsciiPrefix(bytes);
    if (ascii == bytes.size())
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    out.append(bytes.data(), ascii);
    DecodeRest(bytes.substr(ascii), out);
    return out;
}

bool FromUtf8(std::string_view utf8, std::string& bytes, std::string* unmappable)
{
    bytes.clear();
    if (IsAscii(utf8)) {
        bytes.assign(utf8);
        return true;
    }
    std::string prepared = ApplyLookAlikes(utf8);
    const char* in = prepared.data();
    size_t left = prepared.size();
    Converter& encoder = Encoder();
    int err = encoder.Valid() ? encoder.Run(in, left, bytes) : EILSEQ;
    if (err == 0)
        return true;
    if (unmappable) {
        size_t len = Utf8Length(static_cast<unsigned char>(*in));
        *unmappable = std::string(in, std::min(len, left));
    }
    bytes.clear();
    return false;
}

bool CanEncode(std::string_view utf8, std::string* unmappable)
{
    std::string ignored;
    return FromUtf8(utf8, ignored, unmappable);
}

std::pair<std::string, std::string> FirstChanged(std::string_view utf8)
{
    std::string bytes;
    if (IsAscii(utf8) || !FromUtf8(utf8, bytes) || ToUtf8(bytes) == utf8)
        return {};
    for (size_t i = 0; i < utf8.size();) {
        std::string_view character = utf8.substr(i, Utf8Length(static_cast<unsigned char>(utf8[i])));
        i += character.size();
        if (FromUtf8(character, bytes)) {
            if (std::string back = ToUtf8(bytes); back != character)
                return {std::string(character), back};
        }
    }
    return {};
}

std::string CodePoint(std::string_view character)
{
    QList<uint> points = QString::fromUtf8(character.data(), qsizetype(character.size())).toUcs4();
    return points.isEmpty() ? std::string() : Format("U+%04X", points.front());
}

std::string UnmappableMessage(std::string_view what, std::string_view character)
{
    return Format("%sに保存出来ない文字 [%s] (%s) が含まれています.\nこの文字を使わずに入力して下さい.",
                  std::string(what).c_str(), std::string(character).c_str(), CodePoint(character).c_str());
}

}  // namespace Cp932
