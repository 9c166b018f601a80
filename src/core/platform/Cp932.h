#pragma once

#include <string>
#include <string_view>
#include <utility>

// Code page 932 (the Windows flavour of Shift-JIS) as the data files hold it, converted
// with glibc's "CP932" tables: 0x5C is a backslash, 0x7E a tilde, and the NEC and IBM
// extensions are included. Text in memory is UTF-8.
namespace Cp932 {

// Whether every byte is ASCII: such text is the same in code page 932 and in UTF-8.
bool IsAscii(std::string_view text);

// Bytes to UTF-8. A byte sequence that is not code page 932 (including a lead byte cut
// off at the end) becomes U+FFFD, one per bad byte.
std::string ToUtf8(std::string_view bytes);
// The same, appended to `out`.
void AppendUtf8(std::string_view bytes, std::string& out);

// UTF-8 to bytes. Common look-alikes are mapped to the characters code page 932 has
// (wave dash, minus sign, double vertical line, ...). Returns false when a character has
// no code page 932 form; `unmappable` then names the first such character.
bool FromUtf8(std::string_view utf8, std::string& bytes, std::string* unmappable = nullptr);

// Whether every character of `utf8` can be written in code page 932.
bool CanEncode(std::string_view utf8, std::string* unmappable = nullptr);

// The first character of `utf8` that reads back as another once written in code page 932
// (a look-alike such as "〜", which comes back as "～", or "¥", which comes back as "\"),
// and what it reads back as; two empty strings when every character reads back as itself.
// For text CanEncode accepts.
std::pair<std::string, std::string> FirstChanged(std::string_view utf8);

// "U+1F3AE" for the (first) character of `character`, so that a character the font lacks
// can still be named.
std::string CodePoint(std::string_view character);

// The message shown when a text cannot be stored: names the first offending character
// and its code point.
std::string UnmappableMessage(std::string_view what, std::string_view character);

}  // namespace Cp932
