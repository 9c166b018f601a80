#include "sync/SyncthingIgnore.h"

namespace {

constexpr char kBlanks[] = " \t\r\n";

struct IgnoreLine {
    std::string_view pattern;  // without the blanks around it and the flags before it
    bool includes = false;     // "!": what matches is synced
    bool directive = false;    // "#include": patterns unknown here
};

IgnoreLine ReadIgnoreLine(std::string_view line)
{
    IgnoreLine read;
    const size_t first = line.find_first_not_of(kBlanks);
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    line = line.substr(0, line.find_last_not_of(kBlanks) + 1);
    if (line.starts_with("//"))
        return read;
    read.directive = line.starts_with("#include");
    for (bool flag = true; flag;) {
        flag = false;
        for (std::string_view prefix : {"(?d)", "(?i)", "!"}) {
            if (line.starts_with(prefix)) {
                read.includes = read.includes || prefix == "!";
                line.remove_prefix(prefix.size());
                flag = true;
            }
        }
    }
    read.pattern = line;
    return read;
}

// Whether `pattern` ignores the folder that `temp` ("/Temp", "/Games/Zarn2/Temp") names: that
// very pattern, or "Temp" alone, which matches a Temp at any depth.
bool NamesTemp(std::string_view pattern, std::string_view temp)
{
    for (std::string_view end : {"/**", "/"})
        if (pattern.size() > end.size() && pattern.ends_with(end))
            pattern.remove_suffix(end.size());
    return pattern == temp || pattern == "Temp";
}

}  // namespace

namespace SyncthingIgnore {

std::string TempPattern(std::string_view home)
{
    std::string pattern = "/";
    for (char c : home) {
        if (std::string_view("\\*?[]{}").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern + (home.empty() ? "" : "/") + "Temp";
}

size_t PlaceForTemp(std::string_view bytes, std::string_view temp, std::string& before)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(pos, end - pos);
        IgnoreLine read = ReadIgnoreLine(line);
        if (read.includes || read.directive) {
            before = line.substr(0, line.find_last_not_of("\r\n") + 1);
            return pos;
        }
        if (NamesTemp(read.pattern, temp))
            return std::string::npos;
        pos = end;
    }
    return bytes.size();
}

}  // namespace SyncthingIgnore
