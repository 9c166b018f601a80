// The desktop entry reader on arbitrary bytes (an entry dropped from anywhere): it must not
// crash, and a command it gives always names a program.
#include "platform/DesktopEntry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DesktopEntry entry =
        DesktopEntry::Parse(std::string_view(reinterpret_cast<const char*>(data), size), "/a/applications/b/c.desktop");
    (void)entry.Name();
    (void)entry.Id();
    (void)entry.LocalizedValue("Comment", "sr_RS.UTF-8@latin");
    (void)entry.ExecArguments();
    for (const auto& urls : {std::vector<std::string>{}, std::vector<std::string>{"file:///x%20y", "steam://run/1"}}) {
        std::optional<std::vector<std::string>> command = entry.Command(urls);
        if (command && command->empty())
            std::abort();
    }
    return 0;
}
