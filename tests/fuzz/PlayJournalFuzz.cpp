// The journal reader on arbitrary bytes: it must not crash, and whatever it accepts reads
// back the same once written again.
#include "launch/PlayJournalText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PlayJournalEntry entry;
    if (!PlayJournalText::Parse(std::string_view(reinterpret_cast<const char*>(data), size), entry))
        return 0;
    const std::string written = PlayJournalText::Format(entry);
    PlayJournalEntry again;
    if (entry.seconds < 0 || !PlayJournalText::Parse(written, again) || PlayJournalText::Format(again) != written)
        std::abort();
    return 0;
}
