#include "sync/ConflictName.h"

#include <algorithm>
#include <regex>

namespace {

// A mark stands just before the extension, or at the end of a name without one.
const std::regex& Marks()
{
    static const std::regex marks(R"((\.sync-conflict-[0-9]{8}-[0-9]{6}-[A-Za-z0-9]+)"
                                  R"(| \([^()]*(conflicted copy|競合コピー)[^()]*\))(?=\.|$))",
                                  std::regex::ECMAScript | std::regex::icase | std::regex::optimize);
    return marks;
}

// Whether the name holds the lower-case ASCII word in any case, without a copy of the name.
bool HoldsIgnoringCase(std::string_view name, std::string_view word)
{
    auto same = [](char a, char b) { return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b; };
    return std::search(name.begin(), name.end(), word.begin(), word.end(), same) != name.end();
}

// Whether the name holds a word every mark has ("conflict", in any case, is in both ASCII
// marks): only such names go through the pattern, which costs far more than this look (a
// folder of a genre holds 128 logs).
bool MayHoldMark(std::string_view name)
{
    return HoldsIgnoringCase(name, "conflict") || name.find("競合コピー") != std::string_view::npos;
}

}  // namespace

namespace ConflictName {

std::string Original(std::string_view name)
{
    if (!MayHoldMark(name))
        return {};
    std::string text(name);
    std::string original = std::regex_replace(text, Marks(), "");
    if (original == text || original.empty() || original.front() == '.')
        return {};
    return original;
}

}  // namespace ConflictName
