// The KeyValues reader of the Steam client's files on arbitrary bytes (a damaged
// libraryfolders.vdf or app manifest): it must not crash, a text it refuses gives no keys,
// and what it reads, written back quoted, reads back the same. The library list taken from
// the same bytes names absolute folders only.
#include "import/KeyValues.h"
#include "import/SteamGames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void AppendQuoted(std::string& out, const std::string& text)
{
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
}

void Write(const std::vector<KeyValue>& keys, std::string& out, int depth)
{
    Check(depth <= KeyValues::kMaxDepth);
    for (const KeyValue& key : keys) {
        AppendQuoted(out, key.key);
        if (key.block) {
            out += " {\n";
            Write(key.children, out, depth + 1);
            out += "}\n";
        } else {
            out += ' ';
            AppendQuoted(out, key.value);
            out += '\n';
        }
    }
}

bool Same(const std::vector<KeyValue>& a, const std::vector<KeyValue>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].block != b[i].block ||
            !Same(a[i].children, b[i].children))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const KeyValues::Parsed parsed = KeyValues::Parse(text);
    if (!parsed.problem.empty()) {
        Check(parsed.roots.empty());
    } else {
        std::string written;
        Write(parsed.roots, written, 0);
        const KeyValues::Parsed again = KeyValues::Parse(written);
        Check(again.problem.empty() && Same(parsed.roots, again.roots));
    }
    std::string problem;
    for (const std::string& path : SteamGames::LibraryPaths(std::string(text), problem))
        Check(!path.empty() && path.front() == '/');
    return 0;
}
