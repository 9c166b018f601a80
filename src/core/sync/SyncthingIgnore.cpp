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

bool NamesTemp(std::string_view pattern)
{
    for (std::string_view end : {"/**", "/"})
        if (pattern.size() > end.size() && pattern.ends_with(end))
            pattern.remove_suffix(end.size());
    if (pattern.starts_with('/'))
        pattern.remove_prefix(1);
    return pattern == "Temp";
}

}  // namespace

namespace SyncthingIgnore {

bool IgnoresTemp(std::string_view line)
{
    IgnoreLine read = ReadIgnoreLine(line);
    return !read.includes && !read.directive && NamesTemp(read.pattern);
}

size_t PlaceForTemp(std::string_view bytes, std::string& before)
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
        if (NamesTemp(read.pattern))
            return std::string::npos;
        pos = end;
    }
    return bytes.size();
}

}  // namespace SyncthingIgnore
