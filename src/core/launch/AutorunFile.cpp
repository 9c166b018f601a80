#include "launch/AutorunFile.h"

#include "platform/TextFileReader.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>
#include <vector>

namespace {

constexpr size_t kMaxLineChars = 998;
// A disc's "Autorun.inf" is a few short lines; a larger one is not read.
constexpr std::uint64_t kMaxFileBytes = 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The text of a counting OPEN line, or false when the line does not count.
bool OpenEntry(const std::string& line, std::string& entry)
{
    if (line.size() < 4 || ::strncasecmp(line.c_str(), "OPEN", 4) != 0)
        return false;
    size_t equals = line.rfind('=');
    if (equals == std::string::npos)
        return false;
    size_t start = equals + 1;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    entry = line.substr(start);
    entry = entry.substr(0, entry.find('\n'));
    // A Windows path ends before trailing blanks; here they would be part of the name.
    while (!entry.empty() && IsBlank(entry.back()))
        entry.pop_back();
    return true;
}

std::vector<std::string> SplitPath(const std::string& entry)
{
    std::string path = entry;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string AutorunFile::FindIgnoringCase(const std::string& folder, const std::string& name)
{
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(folder) / name, ec))
        return name;
    std::vector<std::string> matches;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (::strcasecmp(candidate.c_str(), name.c_str()) == 0)
            matches.push_back(candidate);
    }
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

std::string AutorunFile::ResolveOnMedium(const std::string& mountRoot, const std::string& entry)
{
    std::string path = mountRoot;
    bool exists = true;
    for (const std::string& part : SplitPath(entry)) {
        std::string found = exists ? FindIgnoringCase(path, part) : std::string();
        exists = !found.empty();
        path += "/" + (exists ? found : part);
    }
    return path;
}

AutorunFile AutorunFile::Read(const std::string& mountRoot)
{
    AutorunFile autorun;
    std::string name = FindIgnoringCase(mountRoot, "Autorun.inf");
    if (name.empty())
        return autorun;
    TextFileReader reader;
    if (reader.Open(mountRoot + "/" + name, kMaxFileBytes) != 0)
        return autorun;
    autorun.read = true;
    autorun.folder = mountRoot;
    std::string line;
    std::string entry;
    while (reader.ReadLine(line, kMaxLineChars)) {
        if (!OpenEntry(line, entry))
            continue;
        // An empty entry would name the medium's root folder itself: nothing to start.
        if (!entry.empty())
            autorun.program = ResolveOnMedium(mountRoot, entry);
        break;
    }
    return autorun;
}
