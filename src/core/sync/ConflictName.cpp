#include "sync/ConflictName.h"

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

}  // namespace

namespace ConflictName {

std::string Original(std::string_view name)
{
    std::string text(name);
    std::string original = std::regex_replace(text, Marks(), "");
    if (original == text || original.empty() || original.front() == '.')
        return {};
    return original;
}

}  // namespace ConflictName
